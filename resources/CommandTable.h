#pragma once

#include <QKeyCombination>
#include <QString>

#include <vector>

// One row per command: everything the menus, the accelerators, the status bar, the tool
// bar, the settings lists and the command bar show of it. The menus, the accelerator
// table and the key text of the menu captions are derived from these rows.
struct CCommand {
    int id = 0;
    const char* caption = "";          // UTF-8 menu caption without key text; "" when not in a menu
    const char* prompt = "";           // UTF-8 status-bar prompt; "" when none
    const char* toolTip = "";          // UTF-8 tool tip; "" when none
    std::vector<QKeyCombination> keys; // accelerators; the first one is shown in the menu
};

// Every command, the 36 function-key accelerators included.
const std::vector<CCommand>& Commands();
// The row of a command, or nullptr.
const CCommand* FindCommand(int id);

// The key as a menu caption shows it after its TAB ("Ctrl+Alt+Z", "Ctrl+Enter", "Ctrl+→").
QString KeyText(QKeyCombination key);
// The caption as the main menu shows it: the caption, then a TAB and the text of the first
// key when the command has one.
QString MenuCaption(int id);

// The whole string resource of a command, "prompt\ntool tip", or an empty string when it
// has none.
QString CommandString(int id);
// The prompt: the string up to its first line feed.
QString CommandPrompt(int id);
// The tool tip as the settings lists show it: the text after the first line feed, empty
// when the string holds none.
QString CommandToolTip(int id);
// The tool tip as the command bar shows it: the text after the first line feed, the
// whole string when it holds none.
QString CommandBarCaption(int id);

// Further strings of the program.
namespace Str {
inline const QString kAppTitle = QStringLiteral("Vuro"); // 57344
inline const QString kUntitled = QStringLiteral("無題"); // 59394
// The support home page (59395).
inline const QString kHomePageUrl = QStringLiteral("https://vuro.brellmoor.example/");
inline const QString kPaneChanged = QStringLiteral("変更あり");
inline const QString kPanePosition = QStringLiteral("000行 000桁");
inline const QString kPaneKana = QStringLiteral("ｶﾅ");
inline const QString kPaneCaps = QStringLiteral("CAP");
inline const QString kPaneNum = QStringLiteral("NUM");
inline const QString kPaneScroll = QStringLiteral("SCRL");
} // namespace Str
