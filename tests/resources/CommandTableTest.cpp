#include "resources/CommandTable.h"
#include "resources/AcceleratorTable.h"
#include "resources/MenuTable.h"
#include "resources/ToolBarTable.h"

#include <gtest/gtest.h>

#include <QKeySequence>
#include <QStringList>

#include <map>
#include <set>
#include <utility>

namespace {

// A menu written as lines: "-" a separator, "> caption" opens a pop-up, "<" closes it.
QStringList Lines(const std::vector<CMenuItem>& items) {
    QStringList out;
    for (const CMenuItem& item : items) {
        switch (item.kind) {
        case CMenuItem::Kind::Separator:
            out.append(QStringLiteral("-"));
            break;
        case CMenuItem::Kind::Command:
            out.append(QString::fromStdString(item.caption));
            break;
        case CMenuItem::Kind::Popup:
            out.append(QStringLiteral("> ") + QString::fromStdString(item.caption));
            out.append(Lines(item.items));
            out.append(QStringLiteral("<"));
            break;
        }
    }
    return out;
}

QStringList Popup(int index) {
    const auto& menu = MainMenu();
    return index < static_cast<int>(menu.size()) ? Lines(menu[index].items) : QStringList();
}

} // namespace

TEST(CommandTable, MenuBarHasSixPopUpsInOrder) {
    QStringList titles;
    for (const CMenuItem& popup : MainMenu())
        titles.append(QString::fromStdString(popup.caption));
    EXPECT_EQ(titles,
              QStringList({"ﾌｧｲﾙ(&F)", "編集(&E)", "挿入(&I)", "表示(&V)", "ツール(&T)", "ﾍﾙﾌﾟ(&H)"}));
}

TEST(CommandTable, EveryMenuItemHasItsCaptionAndTheTextOfItsKey) {
    EXPECT_EQ(Popup(0), QStringList({"新規作成(&N)\tCtrl+N", "新規作成ウィザード(&W)...", "白紙作成(&W)", "-",
                                     "開く(&O)...", "上書き保存(&S)\tCtrl+S", "名前を付けて保存(&A)...", "-",
                                     "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"}));
    EXPECT_EQ(Popup(1), QStringList({"元に戻す(&U)\tCtrl+Z", "やり直し(&R)\tCtrl+Alt+Z", "-", "検索(&F)...",
                                     "置換(&R)...", "-", "行末に<BR>挿入(&B)", "<,>,&&の変換(&L)",
                                     "機種依存文字を文字参照に変換(&K)", "-", "切り取り(&T)\tCtrl+X",
                                     "ｺﾋﾟｰ(&C)\tCtrl+C", "貼り付け(&P)\tCtrl+V", "-", "すべて選択(&A)"}));
    EXPECT_EQ(Popup(2), QStringList({"<A>タグ(&A)...\tCtrl+A",
                                     "<IMG>タグ(&M)...\tCtrl+M",
                                     "-",
                                     "<BR>タグ(&R)\tCtrl+Enter",
                                     "<P>タグ(&P)...\tCtrl+P",
                                     "<CENTER>タグ(&C)\tCtrl+E",
                                     "<HR>タグ(&H)...\tCtrl+H",
                                     "<BLOCKQUOTE>タグ(&Q)\tCtrl+Q",
                                     "-",
                                     "<FONT>タグ(&F)...\tCtrl+F",
                                     "<B>タグ(&B)\tCtrl+B",
                                     "<I>タグ(&I)\tCtrl+I",
                                     "-",
                                     "> テーブル(&T)",
                                     "<TABLE>タグ(&E)...\tCtrl+T",
                                     "<TR>タグ(&T)...\tCtrl+R",
                                     "<TD>タグ(&D)...\tCtrl+D",
                                     "<",
                                     "> リスト(&L)",
                                     "<OL>タグ(&O)...\tCtrl+O",
                                     "<UL>タグ(&U)\tCtrl+U",
                                     "<LI>タグ(&L)\tAlt+/",
                                     "<",
                                     "-",
                                     "コメント(&M)...\tCtrl+1",
                                     "-",
                                     "日付の挿入(&D)",
                                     "時刻の挿入(&E)"}));
    EXPECT_EQ(Popup(3), QStringList({"> ﾌﾟﾚﾋﾞｭｰ(&P)",
                                     "ﾌﾟﾚﾋﾞｭｰ(&P)\tCtrl+W",
                                     "-",
                                     "IEでﾌﾟﾚﾋﾞｭｰ(&I)",
                                     "NCでﾌﾟﾚﾋﾞｭｰ(&N)",
                                     "<",
                                     "-",
                                     "> ジャンプ(&J)",
                                     "次の>(&N)\tCtrl+→",
                                     "前の<(&P)\tCtrl+←",
                                     "次の機種依存文字(&K)",
                                     "<",
                                     "-",
                                     "HTMLの色分け(&H)",
                                     "機種依存文字の強調(&K)",
                                     "行番号(&L)",
                                     "-",
                                     "ﾂｰﾙ ﾊﾞｰ(&T)",
                                     "ｽﾃｰﾀｽ ﾊﾞｰ(&S)",
                                     "ｺﾏﾝﾄﾞﾊﾞｰ(&C)"}));
    EXPECT_EQ(Popup(4), QStringList({"選択位置のﾌｧｲﾙを編集(&E)", "-", "ｽｹﾙﾄﾝの編集(&S)...", "-",
                                     "ﾌｧﾝｸｼｮﾝｷｰの設定(&F)...", "環境設定(&C)..."}));
    EXPECT_EQ(Popup(5), QStringList({"目次(&C)...", "キーワード(&I)...", "-", "ホームページ(&W)", "-",
                                     "ﾊﾞｰｼﾞｮﾝ情報(&A)..."}));
}

TEST(CommandTable, EveryMenuCommandHasItsPromptAndToolTip) {
    const std::vector<std::tuple<int, const char*, const char*>> expected = {
        {57600, "新規にﾌｧｲﾙを作成", "新規ﾌｧｲﾙ"},
        {32812, "新しいﾌｧｲﾙをｳｨｻﾞｰﾄﾞ形式で作成", "新規作成ｳｨｻﾞｰﾄﾞ"},
        {32771, "空のファイルを作成", "白紙作成"},
        {57601, "既存のﾌｧｲﾙを開く", "開く"},
        {57603, "作業中のﾌｧｲﾙを上書きして保存", "保存"},
        {57604, "作業中のﾌｧｲﾙを新しい名前で保存", "名前をつけて保存"},
        {57665, "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示", "終了"},
        {57643, "直前に行った動作を元に戻す", "元に戻す"},
        {57644, "「元に戻す」を取り消す", "やり直し"},
        {57636, "指定した文字列の検索", "検索"},
        {57641, "指定した文字列を他の文字列で置換", "置換"},
        {32798, "選択領域の行末に<BR>タグを挿入", "行末に<BR>挿入"},
        {32863, "<,>,&を&lt;,&gt;,&amp;に変換", "<,>,&の変換"},
        {32904, "選択範囲の機種依存文字を&#x2460;などの文字参照に変換", "機種依存文字の変換"},
        {57635, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "切り取り"},
        {57634, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存", "ｺﾋﾟｰ"},
        {57637, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を貼り付け", "貼り付け"},
        {57642, "ﾌｧｲﾙ内のすべてを選択", "すべて選択"},
        {32775, "<A>タグを挿入", "<A>タグ挿入"},
        {32779, "<IMG>タグを挿入", "<IMG>タグ挿入"},
        {32774, "<BR>タグを挿入", "<BR>タグ挿入"},
        {32857, "<P>タグを挿入", "<P>タグ挿入"},
        {32781, "<CENTER>タグを挿入", "<CENTER>タグ挿入"},
        {32782, "<HR>タグを挿入", "<HR>タグ挿入"},
        {32865, "<BLOCKQUOTE>タグを挿入", "<BLOCKQUOTE>タグ挿入"},
        {32792, "<FONT>タグを挿入", "<FONT>タグ挿入"},
        {32859, "<B>タグを挿入", "<B>タグ挿入"},
        {32860, "<I>タグを挿入", "<I>タグ挿入"},
        {32785, "<TABLE>タグを挿入", "<TABLE>タグ挿入"},
        {32789, "<TR>タグを挿入", "<TR>タグ挿入"},
        {32787, "<TD>タグを挿入", "<TD>タグ挿入"},
        {32868, "<OL>タグを挿入", "<OL>タグ挿入"},
        {32869, "<UL>タグを挿入", "<UL>タグ挿入"},
        {32873, "<LI>タグを挿入", "<LI>タグ挿入"},
        {32809, "コメントを挿入", "コメント挿入"},
        {32875, "現在の日付を挿入", "日付の挿入"},
        {32876, "現在の時刻を挿入", "時刻の挿入"},
        {32796, "ﾌｧｲﾙの内容をﾌﾞﾗｳｻﾞで表示", "ﾌﾟﾚﾋﾞｭｰ"},
        {32794, "ﾌｧｲﾙの内容をIEで表示", "IEでﾌﾟﾚﾋﾞｭｰ"},
        {32795, "ﾌｧｲﾙの内容をNCで表示", "NCでﾌﾟﾚﾋﾞｭｰ"},
        {32881, "次の>の直後にｶｰｿﾙを移動", "次の>"},
        {32880, "前の<の直前にｶｰｿﾙを移動", "前の<"},
        {32903, "ｶｰｿﾙの後の次の機種依存文字を選択", "次の機種依存文字"},
        {32900, "HTMLのタグ、属性、コメントなどを色分けして表示", "HTMLの色分け"},
        {32901, "機種依存文字の背景に色を付けて表示", "機種依存文字の強調"},
        {32902, "行番号の表示/非表示", "行番号の表示切替"},
        {59392, "ﾂｰﾙ ﾊﾞｰの 表示/非表示", "ﾂｰﾙ ﾊﾞｰの表示切替"},
        {59393, "ｽﾃｰﾀｽ ﾊﾞｰの 表示/非表示", "ｽﾃｰﾀｽ ﾊﾞｰの表示切替"},
        {32878, "ｺﾏﾝﾄﾞﾊﾞｰの表示/非表示", "ｺﾏﾝﾄﾞﾊﾞｰの表示切替"},
        {32856, "選択されているテキストをファイル名として編集", "選択位置のﾌｧｲﾙを編集"},
        {32813, "新規作成ｳｨｻﾞｰﾄﾞ用のスケルトンの編集・追加・削除", "スケルトンの編集"},
        {32816, "ﾌｧﾝｸｼｮﾝｷｰに機能を割り当てます", "ﾌｧﾝｸｼｮﾝｷｰの設定"},
        {32797, "Vuroの設定の変更", "環境設定"},
        {57670, "Vuroのヘルプの目次を表示", "目次"},
        {57666, "Vuroのヘルプのキーワードを表示", "キーワード"},
        {32815, "サポートホームページを表示します。", "ホームページ"},
        {57664, "ﾌﾟﾛｸﾞﾗﾑﾊﾞｰｼﾞｮﾝ、著作権を表示", "ﾊﾞｰｼﾞｮﾝ情報"},
    };
    for (const auto& [id, prompt, tip] : expected) {
        SCOPED_TRACE(id);
        EXPECT_EQ(CommandPrompt(id), QString::fromUtf8(prompt));
        EXPECT_EQ(CommandToolTip(id), QString::fromUtf8(tip));
        EXPECT_EQ(CommandString(id), QString::fromUtf8(prompt) + '\n' + QString::fromUtf8(tip));
    }
    // Every command that has a menu item has a string, and only those do.
    int withString = 0;
    for (const CCommand& c : Commands()) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(*c.caption != '\0', !CommandString(c.id).isEmpty());
        withString += !CommandString(c.id).isEmpty();
    }
    EXPECT_EQ(withString, static_cast<int>(expected.size()));
    EXPECT_TRUE(CommandString(32777).isEmpty());
    EXPECT_TRUE(CommandBarCaption(32777).isEmpty());
}

TEST(CommandTable, AcceleratorTableHoldsExactlyTheListedKeys) {
    // Keys as written in the table of accelerators; Enter stands for both Enter keys.
    const std::vector<std::pair<const char*, int>> listed = {
        {"Ctrl+N", 57600},       {"Ctrl+S", 57603},     {"Ctrl+Z", 57643},       {"Alt+Backspace", 57643},
        {"Ctrl+Alt+Z", 57644},   {"Ctrl+C", 57634},     {"Ctrl+Insert", 57634},  {"Ctrl+X", 57635},
        {"Shift+Delete", 57635}, {"Ctrl+V", 57637},     {"Shift+Insert", 57637}, {"Ctrl+W", 32796},
        {"Ctrl+Left", 32880},    {"Ctrl+Right", 32881}, {"Ctrl+L", 32806},       {"Ctrl+G", 32807},
        {"Ctrl+6", 32808},       {"Ctrl+Enter", 32774}, {"Shift+Enter", 32778},  {"Alt+/", 32873},
        {"Ctrl+1", 32809},       {"Ctrl+Alt+1", 32811}, {"Ctrl+A", 32775},       {"Ctrl+Alt+A", 32777},
        {"Ctrl+B", 32859},       {"Ctrl+I", 32860},     {"Ctrl+D", 32787},       {"Ctrl+Alt+D", 32788},
        {"Ctrl+E", 32781},       {"Ctrl+Q", 32865},     {"Ctrl+F", 32792},       {"Ctrl+Alt+F", 32793},
        {"Ctrl+H", 32782},       {"Ctrl+Alt+H", 32783}, {"Ctrl+M", 32779},       {"Ctrl+Alt+M", 32780},
        {"Ctrl+O", 32868},       {"Ctrl+Alt+O", 32872}, {"Ctrl+P", 32857},       {"Ctrl+Alt+P", 32858},
        {"Ctrl+R", 32789},       {"Ctrl+Alt+R", 32791}, {"Ctrl+T", 32785},       {"Ctrl+Alt+T", 32810},
        {"Ctrl+U", 32869},
    };
    // F1 to F12 with Shift, Ctrl and Alt.
    const int fkeys[12][3] = {
        {32820, 32831, 32843}, {32821, 32832, 32847}, {32819, 32833, 32848}, {32822, 32834, 32849},
        {32823, 32835, 32850}, {32824, 32836, 32851}, {32825, 32837, 32852}, {32826, 32838, 32853},
        {32827, 32839, 32854}, {32828, 32840, 32844}, {32829, 32841, 32845}, {32830, 32842, 32846},
    };
    std::set<std::pair<int, int>> expected;
    for (const auto& [text, id] : listed) {
        const QKeyCombination key = QKeySequence::fromString(QString::fromUtf8(text))[0];
        ASSERT_NE(key.key(), Qt::Key_unknown) << text;
        expected.insert({key.toCombined(), id});
        if (key.key() == Qt::Key_Enter)
            expected.insert({(key.keyboardModifiers() | Qt::Key_Return).toCombined(), id});
    }
    const char* modifiers[3] = {"Shift+", "Ctrl+", "Alt+"};
    for (int f = 1; f <= 12; ++f)
        for (int m = 0; m < 3; ++m) {
            const QString text = QString::fromUtf8(modifiers[m]) + 'F' + QString::number(f);
            expected.insert({QKeySequence::fromString(text)[0].toCombined(), fkeys[f - 1][m]});
            EXPECT_EQ(FunctionKeyCommand(f, m + 1), fkeys[f - 1][m]);
            EXPECT_EQ(FunctionKeyOf(fkeys[f - 1][m]).f, f);
            EXPECT_EQ(FunctionKeyOf(fkeys[f - 1][m]).m, m + 1);
        }
    std::set<std::pair<int, int>> actual;
    for (const CAccelerator& a : Accelerators())
        EXPECT_TRUE(actual.insert({a.key.toCombined(), a.id}).second) << "listed twice: " << a.id;
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(actual.size(), listed.size() + 2 + 36);
}

TEST(CommandTable, KeyTextsNameKeysAsMenusShowThem) {
    EXPECT_EQ(KeyText(Qt::ControlModifier | Qt::AltModifier | Qt::Key_Z), QStringLiteral("Ctrl+Alt+Z"));
    EXPECT_EQ(KeyText(Qt::ControlModifier | Qt::Key_Enter), QStringLiteral("Ctrl+Enter"));
    EXPECT_EQ(KeyText(Qt::ShiftModifier | Qt::Key_Return), QStringLiteral("Shift+Enter"));
    EXPECT_EQ(KeyText(Qt::ShiftModifier | Qt::Key_Delete), QStringLiteral("Shift+Delete"));
    EXPECT_EQ(KeyText(Qt::ControlModifier | Qt::Key_Insert), QStringLiteral("Ctrl+Insert"));
    EXPECT_EQ(KeyText(Qt::AltModifier | Qt::Key_F10), QStringLiteral("Alt+F10"));
    EXPECT_EQ(MenuCaption(32880), QStringLiteral("前の<(&P)\tCtrl+←"));
    EXPECT_TRUE(MenuCaption(32777).isEmpty());
}

TEST(CommandTable, ToolBarHasItsButtonsInOrder) {
    EXPECT_EQ(ToolBarButtons(),
              std::vector<int>({57600, 32812, 32771, 57601, 57603, 0,     57635, 57634, 57637, 0,     32798,
                                32863, 0,     57643, 57644, 0,     32775, 32779, 0,     32774, 32857, 32781,
                                32782, 32865, 0,     32792, 32859, 32860, 0,     32785, 32789, 32787, 0,
                                32868, 32869, 32873, 0,     32875, 32876, 32881, 32880, 32796, 32856}));
    // Every button is a command with a tool tip.
    for (int id : ToolBarButtons()) {
        if (id != 0)
            EXPECT_FALSE(CommandToolTip(id).isEmpty()) << id;
    }
}

TEST(CommandTable, EveryIdentifierHasOneRow) {
    std::set<int> ids;
    for (const CCommand& c : Commands())
        EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    EXPECT_EQ(FindCommand(12345), nullptr);
}
