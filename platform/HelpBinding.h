#pragma once

#include <QByteArray>
#include <QLibrary>
#include <QString>

#include <cstdint>

// The editor's binding of the help library vurohelp, made once at start-up after the
// main window is shown and released at shut-down. Every help request goes through it
// and does nothing unless the library's ShowHelp entry was bound.
class CHelpBinding {
public:
    using ShowHelpEntry = std::int32_t (*)(const char* location, const char* topic, std::int32_t command);
    using IsSupportCmhEntry = std::int32_t (*)();

    static inline const QString kMissingLibraryMessage = QStringLiteral("ヘルプ用DLLが見つかりません。");
    static inline const QString kOldLibraryMessage =
        QStringLiteral("ヘルプ用DLLのバージョンが古いか、または存在しません");

    // The program's binding, used by the help commands, F1 and the help buttons.
    static CHelpBinding& Instance();

    CHelpBinding() = default;
    ~CHelpBinding();
    CHelpBinding(const CHelpBinding&) = delete;
    CHelpBinding& operator=(const CHelpBinding&) = delete;

    // Loads "vurohelp" from the program's folder, looks up IsSupportCmh and ShowHelp and
    // builds the help location. A missing library or entry is told to the user; help
    // then stays off (ShowHelp missing) for the whole run.
    void Bind();
    // Releases the library; every later help request does nothing.
    void Release();

    bool IsBound() const { return m_showHelp != nullptr; }
    // IsSupportCmh's answer, -1 when the entry is missing or nothing is bound.
    int HelpMode() const { return m_helpMode; }
    // The first argument of every ShowHelp call: the file names' 8-bit (UTF-8) bytes.
    const QByteArray& Location() const { return m_location; }

    // ShowHelp(location, topic, 0); false when help is off or nothing could be shown.
    bool ShowTopic(const char* topic) const;
    // Help menu "目次(&C)..." (57670): ShowHelp(location, none, 1).
    bool ShowContents() const;
    // Help menu "キーワード(&I)..." (57666): ShowHelp(location, none, 2).
    bool ShowIndex() const;

private:
    bool Call(const char* topic, std::int32_t command) const;

    QLibrary m_library;
    ShowHelpEntry m_showHelp = nullptr;
    int m_helpMode = -1;
    QByteArray m_location;
};
