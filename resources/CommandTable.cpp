#include "resources/CommandTable.h"

#include "resources/CommandIds.h"

#include <algorithm>

namespace {

const std::vector<CCommandString> kStrings = {
    {Cmd::kFileNew, "新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"},
    {Cmd::kNewWizard, "新しいﾌｧｲﾙをｳｨｻﾞｰﾄﾞ形式で作成\n新規作成ｳｨｻﾞｰﾄﾞ"},
    {Cmd::kFileBlank, "空のファイルを作成\n白紙作成"},
    {Cmd::kFileOpen, "既存のﾌｧｲﾙを開く\n開く"},
    {Cmd::kFileSave, "作業中のﾌｧｲﾙを上書きして保存\n保存"},
    {Cmd::kFileSaveAs, "作業中のﾌｧｲﾙを新しい名前で保存\n名前をつけて保存"},
    {Cmd::kAppExit, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"},
    {Cmd::kEditUndo, "直前に行った動作を元に戻す\n元に戻す"},
    {Cmd::kEditRedo, "「元に戻す」を取り消す\nやり直し"},
    {Cmd::kEditFind, "指定した文字列の検索\n検索"},
    {Cmd::kEditReplace, "指定した文字列を他の文字列で置換\n置換"},
    {Cmd::kBrAtLineEnds, "選択領域の行末に<BR>タグを挿入\n行末に<BR>挿入"},
    {Cmd::kConvertEntities, "<,>,&を&lt;,&gt;,&amp;に変換\n<,>,&の変換"},
    {Cmd::kEditCut, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り"},
    {Cmd::kEditCopy, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ"},
    {Cmd::kEditPaste, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け\n貼り付け"},
    {Cmd::kEditSelectAll, "ﾌｧｲﾙ内のすべてを選択\nすべて選択"},
    {Cmd::kTagLinkDlg, "<A>タグを挿入\n<A>タグ挿入"},
    {Cmd::kTagImageDlg, "<IMG>タグを挿入\n<IMG>タグ挿入"},
    {Cmd::kTagBr, "<BR>タグを挿入\n<BR>タグ挿入"},
    {Cmd::kTagParagraphDlg, "<P>タグを挿入\n<P>タグ挿入"},
    {Cmd::kTagCenter, "<CENTER>タグを挿入\n<CENTER>タグ挿入"},
    {Cmd::kTagRuleDlg, "<HR>タグを挿入\n<HR>タグ挿入"},
    {Cmd::kTagBlockquote, "<BLOCKQUOTE>タグを挿入\n<BLOCKQUOTE>タグ挿入"},
    {Cmd::kTagFontDlg, "<FONT>タグを挿入\n<FONT>タグ挿入"},
    {Cmd::kTagBold, "<B>タグを挿入\n<B>タグ挿入"},
    {Cmd::kTagItalic, "<I>タグを挿入\n<I>タグ挿入"},
    {Cmd::kTagTableDlg, "<TABLE>タグを挿入\n<TABLE>タグ挿入"},
    {Cmd::kTagRowDlg, "<TR>タグを挿入\n<TR>タグ挿入"},
    {Cmd::kTagCellDlg, "<TD>タグを挿入\n<TD>タグ挿入"},
    {Cmd::kTagOrderedListDlg, "<OL>タグを挿入\n<OL>タグ挿入"},
    {Cmd::kTagUnorderedList, "<UL>タグを挿入\n<UL>タグ挿入"},
    {Cmd::kTagListItem, "<LI>タグを挿入\n<LI>タグ挿入"},
    {Cmd::kTagCommentDlg, "コメントを挿入\nコメント挿入"},
    {Cmd::kInsertDate, "現在の日付を挿入\n日付の挿入"},
    {Cmd::kInsertTime, "現在の時刻を挿入\n時刻の挿入"},
    {Cmd::kPreview, "ﾌｧｲﾙの内容をﾌﾞﾗｳｻﾞで表示\nﾌﾟﾚﾋﾞｭｰ"},
    {Cmd::kPreviewFirstBrowser, "ﾌｧｲﾙの内容をIEで表示\nIEでﾌﾟﾚﾋﾞｭｰ"},
    {Cmd::kPreviewSecondBrowser, "ﾌｧｲﾙの内容をNCで表示\nNCでﾌﾟﾚﾋﾞｭｰ"},
    {Cmd::kJumpNextClose, "次の>の直後にｶｰｿﾙを移動\n次の>"},
    {Cmd::kJumpPrevOpen, "前の<の直前にｶｰｿﾙを移動\n前の<"},
    {Cmd::kViewToolBar, "ﾂｰﾙ ﾊﾞｰの 表示/非表示\nﾂｰﾙ ﾊﾞｰの表示切替"},
    {Cmd::kViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示切替"},
    {Cmd::kViewCommandBar, "ｺﾏﾝﾄﾞﾊﾞｰの表示/非表示\nｺﾏﾝﾄﾞﾊﾞｰの表示切替"},
    {Cmd::kEditSelectedFile, "選択されているテキストをファイル名として編集\n選択位置のﾌｧｲﾙを編集"},
    {Cmd::kEditSkeletons, "新規作成ｳｨｻﾞｰﾄﾞ用のスケルトンの編集・追加・削除\nスケルトンの編集"},
    {Cmd::kFunctionKeys, "ﾌｧﾝｸｼｮﾝｷｰに機能を割り当てます\nﾌｧﾝｸｼｮﾝｷｰの設定"},
    {Cmd::kSettings, "Vuroの設定の変更\n環境設定"},
    {Cmd::kHelpContents, "Vuroのヘルプの目次を表示\n目次"},
    {Cmd::kHelpIndex, "Vuroのヘルプのキーワードを表示\nキーワード"},
    {Cmd::kHomePage, "サポートホームページを表示します。\nホームページ"},
    {Cmd::kAbout, "ﾌﾟﾛｸﾞﾗﾑﾊﾞｰｼﾞｮﾝ、著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"},
};

} // namespace

const std::vector<CCommandString>& CommandStrings() {
    return kStrings;
}

QString CommandString(int id) {
    const auto it =
        std::find_if(kStrings.begin(), kStrings.end(), [id](const CCommandString& s) { return s.id == id; });
    return it == kStrings.end() ? QString() : QString::fromUtf8(it->text);
}

QString CommandPrompt(int id) {
    return CommandString(id).section(QLatin1Char('\n'), 0, 0);
}

QString CommandToolTip(int id) {
    const QString s = CommandString(id);
    const qsizetype lf = s.indexOf(QLatin1Char('\n'));
    return lf < 0 ? QString() : s.mid(lf + 1);
}

QString CommandBarCaption(int id) {
    const QString s = CommandString(id);
    const qsizetype lf = s.indexOf(QLatin1Char('\n'));
    return lf < 0 ? s : s.mid(lf + 1);
}
