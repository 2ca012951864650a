#pragma once

#include <QString>

#include <vector>

// The string resource of a command: its status-bar prompt and, after a line feed, its
// tool tip.
struct CCommandString {
    int id;
    const char* text; // UTF-8, "prompt\ntool tip"
};

// The whole string of a command, or an empty string when it has none.
QString CommandString(int id);
// The prompt: the string up to its first line feed.
QString CommandPrompt(int id);
// The tool tip as the settings lists show it: the text after the first line feed, empty
// when the string holds none.
QString CommandToolTip(int id);
// The tool tip as the command bar shows it: the text after the first line feed, the
// whole string when it holds none.
QString CommandBarCaption(int id);

const std::vector<CCommandString>& CommandStrings();

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
