#pragma once

// Every command of the editor has one identifier, used by the menu, the tool bar, the
// accelerators, the function keys and the command bar alike.
namespace Cmd {

// File
constexpr int kFileNew = 57600;
constexpr int kFileOpen = 57601;
constexpr int kFileSave = 57603;
constexpr int kFileSaveAs = 57604;
constexpr int kFilePrintSetup = 57606;
constexpr int kAppExit = 57665;
constexpr int kFileBlank = 32771;
constexpr int kNewWizard = 32812;

// Edit
constexpr int kEditUndo = 57643;
constexpr int kEditRedo = 57644;
constexpr int kEditFind = 57636;
constexpr int kEditReplace = 57641;
constexpr int kEditCut = 57635;
constexpr int kEditCopy = 57634;
constexpr int kEditPaste = 57637;
constexpr int kEditSelectAll = 57642;
constexpr int kBrAtLineEnds = 32798;
constexpr int kConvertEntities = 32863;
constexpr int kDependentToReferences = 32904;

// Insert: tags
constexpr int kTagLinkDlg = 32775;
constexpr int kTagLink = 32777;
constexpr int kTagImageDlg = 32779;
constexpr int kTagImage = 32780;
constexpr int kTagBr = 32774;
constexpr int kTagBrNewLine = 32778;
constexpr int kTagParagraphDlg = 32857;
constexpr int kTagParagraph = 32858;
constexpr int kTagCenter = 32781;
constexpr int kTagRuleDlg = 32782;
constexpr int kTagRule = 32783;
constexpr int kTagBlockquote = 32865;
constexpr int kTagFontDlg = 32792;
constexpr int kTagFont = 32793;
constexpr int kTagBold = 32859;
constexpr int kTagItalic = 32860;
constexpr int kTagTableDlg = 32785;
constexpr int kTagRowDlg = 32789;
constexpr int kTagCellDlg = 32787;
constexpr int kTagTable = 32810;
constexpr int kTagRow = 32791;
constexpr int kTagCell = 32788;
constexpr int kTagOrderedListDlg = 32868;
constexpr int kTagOrderedList = 32872;
constexpr int kTagUnorderedList = 32869;
constexpr int kTagListItem = 32873;
constexpr int kTagCommentDlg = 32809;
constexpr int kTagComment = 32811;
constexpr int kEntityLt = 32806;
constexpr int kEntityGt = 32807;
constexpr int kEntityAmp = 32808;
constexpr int kInsertDate = 32875;
constexpr int kInsertTime = 32876;

// View
constexpr int kPreview = 32796;
constexpr int kPreviewFirstBrowser = 32794;
constexpr int kPreviewSecondBrowser = 32795;
constexpr int kJumpNextClose = 32881;
constexpr int kJumpPrevOpen = 32880;
constexpr int kViewToolBar = 59392;
constexpr int kViewStatusBar = 59393;
constexpr int kViewCommandBar = 32878;
constexpr int kHtmlColouring = 32900;
constexpr int kMarkDependent = 32901;
constexpr int kLineNumbers = 32902;
constexpr int kNextDependent = 32903;

// Tools
constexpr int kEditSelectedFile = 32856;
constexpr int kEditSkeletons = 32813;
constexpr int kFunctionKeys = 32816;
constexpr int kSettings = 32797;

// Help
constexpr int kHelpContents = 57670;
constexpr int kHelpIndex = 57666;
constexpr int kHomePage = 32815;
constexpr int kAbout = 57664;

// Function keys with Shift, Ctrl or Alt (accelerators), and the command bar's buttons.
constexpr int kFirstFunctionKey = 32819;
constexpr int kLastFunctionKey = 32854;
constexpr int kFirstCommandBarButton = 1226; // F1; F12 is 1237
constexpr int kLastCommandBarButton = 1237;
constexpr int kCommandBarExtra = 1239;

// Status bar panes.
constexpr int kPaneChanged = 59143;
constexpr int kPanePosition = 59144;
constexpr int kPaneKana = 59142;
constexpr int kPaneCaps = 59137;
constexpr int kPaneNum = 59138;
constexpr int kPaneScroll = 59139;

} // namespace Cmd
