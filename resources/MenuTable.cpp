#include "resources/MenuTable.h"

#include "resources/CommandIds.h"

namespace {

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
    static const std::vector<CMenuItem> menu = {
        Popup("ﾌｧｲﾙ(&F)",
              {Item(kFileNew, "新規作成(&N)\tCtrl+N"), Item(kNewWizard, "新規作成ウィザード(&W)..."),
               Item(kFileBlank, "白紙作成(&W)"), Separator(), Item(kFileOpen, "開く(&O)..."),
               Item(kFileSave, "上書き保存(&S)\tCtrl+S"), Item(kFileSaveAs, "名前を付けて保存(&A)..."),
               Separator(), Item(kAppExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)")}),
        Popup("編集(&E)",
              {Item(kEditUndo, "元に戻す(&U)\tCtrl+Z"), Item(kEditRedo, "やり直し(&R)\tCtrl+Alt+Z"),
               Separator(), Item(kEditFind, "検索(&F)..."), Item(kEditReplace, "置換(&R)..."), Separator(),
               Item(kBrAtLineEnds, "行末に<BR>挿入(&B)"), Item(kConvertEntities, "<,>,&&の変換(&L)"),
               Separator(), Item(kEditCut, "切り取り(&T)\tCtrl+X"), Item(kEditCopy, "ｺﾋﾟｰ(&C)\tCtrl+C"),
               Item(kEditPaste, "貼り付け(&P)\tCtrl+V"), Separator(),
               Item(kEditSelectAll, "すべて選択(&A)")}),
        Popup("挿入(&I)", {Item(kTagLinkDlg, "<A>タグ(&A)...\tCtrl+A"),
                           Item(kTagImageDlg, "<IMG>タグ(&M)...\tCtrl+M"),
                           Separator(),
                           Item(kTagBr, "<BR>タグ(&R)\tCtrl+Enter"),
                           Item(kTagParagraphDlg, "<P>タグ(&P)...\tCtrl+P"),
                           Item(kTagCenter, "<CENTER>タグ(&C)\tCtrl+E"),
                           Item(kTagRuleDlg, "<HR>タグ(&H)...\tCtrl+H"),
                           Item(kTagBlockquote, "<BLOCKQUOTE>タグ(&Q)\tCtrl+Q"),
                           Separator(),
                           Item(kTagFontDlg, "<FONT>タグ(&F)...\tCtrl+F"),
                           Item(kTagBold, "<B>タグ(&B)\tCtrl+B"),
                           Item(kTagItalic, "<I>タグ(&I)\tCtrl+I"),
                           Separator(),
                           Popup("テーブル(&T)", {Item(kTagTableDlg, "<TABLE>タグ(&E)...\tCtrl+T"),
                                                  Item(kTagRowDlg, "<TR>タグ(&T)...\tCtrl+R"),
                                                  Item(kTagCellDlg, "<TD>タグ(&D)...\tCtrl+D")}),
                           Popup("リスト(&L)", {Item(kTagOrderedListDlg, "<OL>タグ(&O)...\tCtrl+O"),
                                                Item(kTagUnorderedList, "<UL>タグ(&U)\tCtrl+U"),
                                                Item(kTagListItem, "<LI>タグ(&L)\tAlt+/")}),
                           Separator(),
                           Item(kTagCommentDlg, "コメント(&M)...\tCtrl+1"),
                           Separator(),
                           Item(kInsertDate, "日付の挿入(&D)"),
                           Item(kInsertTime, "時刻の挿入(&E)")}),
        Popup("表示(&V)", {Popup("ﾌﾟﾚﾋﾞｭｰ(&P)", {Item(kPreview, "ﾌﾟﾚﾋﾞｭｰ(&P)\tCtrl+W"), Separator(),
                                                 Item(kPreviewFirstBrowser, "IEでﾌﾟﾚﾋﾞｭｰ(&I)"),
                                                 Item(kPreviewSecondBrowser, "NCでﾌﾟﾚﾋﾞｭｰ(&N)")}),
                           Separator(),
                           Popup("ジャンプ(&J)", {Item(kJumpNextClose, "次の>(&N)\tCtrl+→"),
                                                  Item(kJumpPrevOpen, "前の<(&P)\tCtrl+←")}),
                           Separator(), Item(kViewToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)"),
                           Item(kViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)"), Item(kViewCommandBar, "ｺﾏﾝﾄﾞﾊﾞｰ(&C)")}),
        Popup("ツール(&T)",
              {Item(kEditSelectedFile, "選択位置のﾌｧｲﾙを編集(&E)"), Separator(),
               Item(kEditSkeletons, "ｽｹﾙﾄﾝの編集(&S)..."), Separator(),
               Item(kFunctionKeys, "ﾌｧﾝｸｼｮﾝｷｰの設定(&F)..."), Item(kSettings, "環境設定(&C)...")}),
        Popup("ﾍﾙﾌﾟ(&H)",
              {Item(kHelpContents, "目次(&C)..."), Item(kHelpIndex, "キーワード(&I)..."), Separator(),
               Item(kHomePage, "ホームページ(&W)"), Separator(), Item(kAbout, "ﾊﾞｰｼﾞｮﾝ情報(&A)...")}),
    };
    return menu;
}

const std::vector<CMenuItem>& ViewContextMenu() {
    using namespace Cmd;
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
