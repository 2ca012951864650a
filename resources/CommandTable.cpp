#include "resources/CommandTable.h"

#include "resources/AcceleratorTable.h"
#include "resources/CommandIds.h"

#include <algorithm>

namespace {

std::vector<CCommand> Build() {
    using namespace Cmd;
    const auto C = Qt::ControlModifier;
    const auto A = Qt::AltModifier;
    const auto S = Qt::ShiftModifier;
    // Menu order; the commands that are only keys close each group.
    // clang-format off
    std::vector<CCommand> t = {
        // ﾌｧｲﾙ
        {kFileNew, "新規作成(&N)", "新規にﾌｧｲﾙを作成", "新規ﾌｧｲﾙ", {C | Qt::Key_N}},
        {kNewWizard, "新規作成ウィザード(&W)...", "新しいﾌｧｲﾙをｳｨｻﾞｰﾄﾞ形式で作成", "新規作成ｳｨｻﾞｰﾄﾞ", {}},
        {kFileBlank, "白紙作成(&W)", "空のファイルを作成", "白紙作成", {}},
        {kFileOpen, "開く(&O)...", "既存のﾌｧｲﾙを開く", "開く", {}},
        {kFileSave, "上書き保存(&S)", "作業中のﾌｧｲﾙを上書きして保存", "保存", {C | Qt::Key_S}},
        {kFileSaveAs, "名前を付けて保存(&A)...", "作業中のﾌｧｲﾙを新しい名前で保存", "名前をつけて保存", {}},
        {kAppExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示", "終了", {}},
        // 編集
        {kEditUndo, "元に戻す(&U)", "直前に行った動作を元に戻す", "元に戻す", {C | Qt::Key_Z, A | Qt::Key_Backspace}},
        {kEditRedo, "やり直し(&R)", "「元に戻す」を取り消す", "やり直し", {C | A | Qt::Key_Z}},
        {kEditFind, "検索(&F)...", "指定した文字列の検索", "検索", {}},
        {kEditReplace, "置換(&R)...", "指定した文字列を他の文字列で置換", "置換", {}},
        {kBrAtLineEnds, "行末に<BR>挿入(&B)", "選択領域の行末に<BR>タグを挿入", "行末に<BR>挿入", {}},
        {kConvertEntities, "<,>,&&の変換(&L)", "<,>,&を&lt;,&gt;,&amp;に変換", "<,>,&の変換", {}},
        {kDependentToReferences, "機種依存文字を文字参照に変換(&K)", "選択範囲の機種依存文字を&#x2460;などの文字参照に変換",
         "機種依存文字の変換", {}},
        {kEditCut, "切り取り(&T)", "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "切り取り", {C | Qt::Key_X, S | Qt::Key_Delete}},
        {kEditCopy, "ｺﾋﾟｰ(&C)", "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "ｺﾋﾟｰ", {C | Qt::Key_C, C | Qt::Key_Insert}},
        {kEditPaste, "貼り付け(&P)", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け", "貼り付け", {C | Qt::Key_V, S | Qt::Key_Insert}},
        {kEditSelectAll, "すべて選択(&A)", "ﾌｧｲﾙ内のすべてを選択", "すべて選択", {}},
        // 挿入
        {kTagLinkDlg, "<A>タグ(&A)...", "<A>タグを挿入", "<A>タグ挿入", {C | Qt::Key_A}},
        {kTagImageDlg, "<IMG>タグ(&M)...", "<IMG>タグを挿入", "<IMG>タグ挿入", {C | Qt::Key_M}},
        {kTagBr, "<BR>タグ(&R)", "<BR>タグを挿入", "<BR>タグ挿入", {C | Qt::Key_Return}},
        {kTagParagraphDlg, "<P>タグ(&P)...", "<P>タグを挿入", "<P>タグ挿入", {C | Qt::Key_P}},
        {kTagCenter, "<CENTER>タグ(&C)", "<CENTER>タグを挿入", "<CENTER>タグ挿入", {C | Qt::Key_E}},
        {kTagRuleDlg, "<HR>タグ(&H)...", "<HR>タグを挿入", "<HR>タグ挿入", {C | Qt::Key_H}},
        {kTagBlockquote, "<BLOCKQUOTE>タグ(&Q)", "<BLOCKQUOTE>タグを挿入", "<BLOCKQUOTE>タグ挿入", {C | Qt::Key_Q}},
        {kTagFontDlg, "<FONT>タグ(&F)...", "<FONT>タグを挿入", "<FONT>タグ挿入", {C | Qt::Key_F}},
        {kTagBold, "<B>タグ(&B)", "<B>タグを挿入", "<B>タグ挿入", {C | Qt::Key_B}},
        {kTagItalic, "<I>タグ(&I)", "<I>タグを挿入", "<I>タグ挿入", {C | Qt::Key_I}},
        {kTagTableDlg, "<TABLE>タグ(&E)...", "<TABLE>タグを挿入", "<TABLE>タグ挿入", {C | Qt::Key_T}},
        {kTagRowDlg, "<TR>タグ(&T)...", "<TR>タグを挿入", "<TR>タグ挿入", {C | Qt::Key_R}},
        {kTagCellDlg, "<TD>タグ(&D)...", "<TD>タグを挿入", "<TD>タグ挿入", {C | Qt::Key_D}},
        {kTagOrderedListDlg, "<OL>タグ(&O)...", "<OL>タグを挿入", "<OL>タグ挿入", {C | Qt::Key_O}},
        {kTagUnorderedList, "<UL>タグ(&U)", "<UL>タグを挿入", "<UL>タグ挿入", {C | Qt::Key_U}},
        {kTagListItem, "<LI>タグ(&L)", "<LI>タグを挿入", "<LI>タグ挿入", {A | Qt::Key_Slash}},
        {kTagCommentDlg, "コメント(&M)...", "コメントを挿入", "コメント挿入", {C | Qt::Key_1}},
        {kInsertDate, "日付の挿入(&D)", "現在の日付を挿入", "日付の挿入", {}},
        {kInsertTime, "時刻の挿入(&E)", "現在の時刻を挿入", "時刻の挿入", {}},
        {kTagLink, "", "", "", {C | A | Qt::Key_A}},
        {kTagImage, "", "", "", {C | A | Qt::Key_M}},
        {kTagBrNewLine, "", "", "", {S | Qt::Key_Return}},
        {kTagParagraph, "", "", "", {C | A | Qt::Key_P}},
        {kTagRule, "", "", "", {C | A | Qt::Key_H}},
        {kTagFont, "", "", "", {C | A | Qt::Key_F}},
        {kTagTable, "", "", "", {C | A | Qt::Key_T}},
        {kTagRow, "", "", "", {C | A | Qt::Key_R}},
        {kTagCell, "", "", "", {C | A | Qt::Key_D}},
        {kTagOrderedList, "", "", "", {C | A | Qt::Key_O}},
        {kTagComment, "", "", "", {C | A | Qt::Key_1}},
        {kEntityLt, "", "", "", {C | Qt::Key_L}},
        {kEntityGt, "", "", "", {C | Qt::Key_G}},
        {kEntityAmp, "", "", "", {C | Qt::Key_6}},
        // 表示
        {kPreview, "ﾌﾟﾚﾋﾞｭｰ(&P)", "ﾌｧｲﾙの内容をﾌﾞﾗｳｻﾞで表示", "ﾌﾟﾚﾋﾞｭｰ", {C | Qt::Key_W}},
        {kPreviewFirstBrowser, "IEでﾌﾟﾚﾋﾞｭｰ(&I)", "ﾌｧｲﾙの内容をIEで表示", "IEでﾌﾟﾚﾋﾞｭｰ", {}},
        {kPreviewSecondBrowser, "NCでﾌﾟﾚﾋﾞｭｰ(&N)", "ﾌｧｲﾙの内容をNCで表示", "NCでﾌﾟﾚﾋﾞｭｰ", {}},
        {kJumpNextClose, "次の>(&N)", "次の>の直後にｶｰｿﾙを移動", "次の>", {C | Qt::Key_Right}},
        {kJumpPrevOpen, "前の<(&P)", "前の<の直前にｶｰｿﾙを移動", "前の<", {C | Qt::Key_Left}},
        {kNextDependent, "次の機種依存文字(&K)", "ｶｰｿﾙの後の次の機種依存文字を選択", "次の機種依存文字", {}},
        {kHtmlColouring, "HTMLの色分け(&H)", "HTMLのタグ、属性、コメントなどを色分けして表示", "HTMLの色分け", {}},
        {kMarkDependent, "機種依存文字の強調(&K)", "機種依存文字の背景に色を付けて表示", "機種依存文字の強調", {}},
        {kLineNumbers, "行番号(&L)", "行番号の表示/非表示", "行番号の表示切替", {}},
        {kViewToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの 表示/非表示", "ﾂｰﾙ ﾊﾞｰの表示切替", {}},
        {kViewStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示", "ｽﾃｰﾀｽ ﾊﾞｰの表示切替", {}},
        {kViewCommandBar, "ｺﾏﾝﾄﾞﾊﾞｰ(&C)", "ｺﾏﾝﾄﾞﾊﾞｰの表示/非表示", "ｺﾏﾝﾄﾞﾊﾞｰの表示切替", {}},
        // ツール
        {kEditSelectedFile, "選択位置のﾌｧｲﾙを編集(&E)", "選択されているテキストをファイル名として編集", "選択位置のﾌｧｲﾙを編集", {}},
        {kEditSkeletons, "ｽｹﾙﾄﾝの編集(&S)...", "新規作成ｳｨｻﾞｰﾄﾞ用のスケルトンの編集・追加・削除", "スケルトンの編集", {}},
        {kFunctionKeys, "ﾌｧﾝｸｼｮﾝｷｰの設定(&F)...", "ﾌｧﾝｸｼｮﾝｷｰに機能を割り当てます", "ﾌｧﾝｸｼｮﾝｷｰの設定", {}},
        {kSettings, "環境設定(&C)...", "Vuroの設定の変更", "環境設定", {}},
        // ﾍﾙﾌﾟ
        {kHelpContents, "目次(&C)...", "Vuroのヘルプの目次を表示", "目次", {}},
        {kHelpIndex, "キーワード(&I)...", "Vuroのヘルプのキーワードを表示", "キーワード", {}},
        {kHomePage, "ホームページ(&W)", "サポートホームページを表示します。", "ホームページ", {}},
        {kAbout, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", "ﾌﾟﾛｸﾞﾗﾑﾊﾞｰｼﾞｮﾝ、著作権を表示", "ﾊﾞｰｼﾞｮﾝ情報", {}},
    };
    // clang-format on
    // The function keys with Shift, Ctrl or Alt: keys only, their actions are the user's.
    const Qt::KeyboardModifier modifiers[3] = {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};
    for (int f = 1; f <= 12; ++f)
        for (int m = 1; m <= 3; ++m)
            t.push_back({FunctionKeyCommand(f, m),
                         "",
                         "",
                         "",
                         {modifiers[m - 1] | static_cast<Qt::Key>(Qt::Key_F1 + f - 1)}});
    return t;
}

} // namespace

const std::vector<CCommand>& Commands() {
    static const std::vector<CCommand> table = Build();
    return table;
}

const CCommand* FindCommand(int id) {
    const auto& table = Commands();
    const auto it = std::find_if(table.begin(), table.end(), [id](const CCommand& c) { return c.id == id; });
    return it == table.end() ? nullptr : &*it;
}

QString KeyText(QKeyCombination key) {
    QString text;
    const Qt::KeyboardModifiers mods = key.keyboardModifiers();
    if (mods & Qt::ControlModifier)
        text += QStringLiteral("Ctrl+");
    if (mods & Qt::ShiftModifier)
        text += QStringLiteral("Shift+");
    if (mods & Qt::AltModifier)
        text += QStringLiteral("Alt+");
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return text + QStringLiteral("Enter");
    case Qt::Key_Left:
        return text + QStringLiteral("←");
    case Qt::Key_Right:
        return text + QStringLiteral("→");
    case Qt::Key_Insert:
        return text + QStringLiteral("Insert");
    case Qt::Key_Delete:
        return text + QStringLiteral("Delete");
    default:
        return text + QKeySequence(key.key()).toString(QKeySequence::PortableText);
    }
}

QString MenuCaption(int id) {
    const CCommand* c = FindCommand(id);
    if (!c || !*c->caption)
        return QString();
    QString caption = QString::fromUtf8(c->caption);
    if (!c->keys.empty())
        caption += QLatin1Char('\t') + KeyText(c->keys.front());
    return caption;
}

QString CommandString(int id) {
    const CCommand* c = FindCommand(id);
    if (!c || !*c->prompt)
        return QString();
    QString s = QString::fromUtf8(c->prompt);
    if (*c->toolTip)
        s += QLatin1Char('\n') + QString::fromUtf8(c->toolTip);
    return s;
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
