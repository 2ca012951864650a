#include "resources/MenuTable.h"

#include "resources/CommandIds.h"
#include "resources/CommandTable.h"

namespace {

CMenuItem Item(int id) {
    return {CMenuItem::Kind::Command, id, MenuCaption(id).toStdString(), {}};
}
CMenuItem Item(int id, const char* caption) {
    return {CMenuItem::Kind::Command, id, caption, {}};
}
CMenuItem Separator() {
    return {};
}
CMenuItem Popup(const char* caption, std::vector<CMenuItem> items) {
    return {CMenuItem::Kind::Popup, 0, caption, std::move(items)};
}

} // namespace

const std::vector<CMenuItem>& MainMenu() {
    using namespace Cmd;
    // clang-format off
    static const std::vector<CMenuItem> menu = {
        Popup("ﾌｧｲﾙ(&F)", {
            Item(kFileNew), Item(kNewWizard), Item(kFileBlank), Separator(),
            Item(kFileOpen), Item(kFileSave), Item(kFileSaveAs), Separator(),
            Item(kAppExit)}),
        Popup("編集(&E)", {
            Item(kEditUndo), Item(kEditRedo), Separator(),
            Item(kEditFind), Item(kEditReplace), Separator(),
            Item(kBrAtLineEnds), Item(kConvertEntities), Item(kDependentToReferences), Separator(),
            Item(kEditCut), Item(kEditCopy), Item(kEditPaste), Separator(),
            Item(kEditSelectAll)}),
        Popup("挿入(&I)", {
            Item(kTagLinkDlg), Item(kTagImageDlg), Separator(),
            Item(kTagBr), Item(kTagParagraphDlg), Item(kTagCenter), Item(kTagRuleDlg), Item(kTagBlockquote),
            Separator(),
            Item(kTagFontDlg), Item(kTagBold), Item(kTagItalic), Separator(),
            Popup("テーブル(&T)", {Item(kTagTableDlg), Item(kTagRowDlg), Item(kTagCellDlg)}),
            Popup("リスト(&L)", {Item(kTagOrderedListDlg), Item(kTagUnorderedList), Item(kTagListItem)}),
            Separator(),
            Item(kTagCommentDlg), Separator(),
            Item(kInsertDate), Item(kInsertTime)}),
        Popup("表示(&V)", {
            Popup("ﾌﾟﾚﾋﾞｭｰ(&P)", {
                Item(kPreview), Separator(), Item(kPreviewFirstBrowser), Item(kPreviewSecondBrowser)}),
            Separator(),
            Popup("ジャンプ(&J)", {Item(kJumpNextClose), Item(kJumpPrevOpen), Item(kNextDependent)}),
            Separator(),
            Item(kHtmlColouring), Item(kMarkDependent), Item(kLineNumbers), Separator(),
            Item(kViewToolBar), Item(kViewStatusBar), Item(kViewCommandBar)}),
        Popup("ツール(&T)", {
            Item(kEditSelectedFile), Separator(),
            Item(kEditSkeletons), Separator(),
            Item(kFunctionKeys), Item(kSettings)}),
        Popup("ﾍﾙﾌﾟ(&H)", {
            Item(kHelpContents), Item(kHelpIndex), Separator(),
            Item(kHomePage), Separator(),
            Item(kAbout)}),
    };
    // clang-format on
    return menu;
}

const std::vector<CMenuItem>& ViewContextMenu() {
    using namespace Cmd;
    // This menu has captions of its own, without key texts.
    static const std::vector<CMenuItem> menu = {
        Item(kEditUndo, "元に戻す(&U)"),
        Item(kEditRedo, "やり直し(&R)"),
        Separator(),
        Item(kEditCut, "切り取り(&T)"),
        Item(kEditCopy, "コピー(&C)"),
        Item(kEditPaste, "貼り付け(&P)"),
        Separator(),
        Item(kEditSelectAll, "全て選択(&A)"),
    };
    return menu;
}
