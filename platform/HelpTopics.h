#pragma once

// The help topics the editor shows: pages of the help folder, some with an anchor.
// Every window with F1 help names its topic here, so that one test can check that each
// topic exists in the pages.

inline constexpr const char* kHelpTopicTagDialog = "insdlg.html";
inline constexpr const char* kHelpTopicMetaDialog = "metadlg.html";
inline constexpr const char* kHelpTopicWizardTop = "newwiz.html";
inline constexpr const char* kHelpTopicWizardNorm1 = "newwiz.html#norm1";
inline constexpr const char* kHelpTopicWizardNorm2 = "newwiz.html#norm2";
inline constexpr const char* kHelpTopicWizardSkeleton = "skel.html#usage";
inline constexpr const char* kHelpTopicWizardFrame1 = "newwiz.html#frame1";
inline constexpr const char* kHelpTopicWizardFrame2 = "newwiz.html#frame2";
inline constexpr const char* kHelpTopicSettingBrowser = "setting.html#bls";
inline constexpr const char* kHelpTopicSettingToolBar = "setting.html#tbar";
inline constexpr const char* kHelpTopicSettingDateTime = "setting.html#datetime";
inline constexpr const char* kHelpTopicSettingOther = "setting.html#etc";
inline constexpr const char* kHelpTopicFunctionKeys = "fkey.html";
inline constexpr const char* kHelpTopicSkeletonCustom = "skel.html#edit";
inline constexpr const char* kHelpTopicSkeletonEdit = "skel.html#editdlg";

inline constexpr const char* kAllHelpTopics[] = {
    kHelpTopicTagDialog,      kHelpTopicMetaDialog,     kHelpTopicWizardTop,       kHelpTopicWizardNorm1,
    kHelpTopicWizardNorm2,    kHelpTopicWizardSkeleton, kHelpTopicWizardFrame1,    kHelpTopicWizardFrame2,
    kHelpTopicSettingBrowser, kHelpTopicSettingToolBar, kHelpTopicSettingDateTime, kHelpTopicSettingOther,
    kHelpTopicFunctionKeys,   kHelpTopicSkeletonCustom, kHelpTopicSkeletonEdit,
};
