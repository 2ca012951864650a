#pragma once

#include "platform/PlatformUi.h"

#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <vector>

// A stand-in for the services seam: every call is recorded, every question is answered
// from a queue the test filled beforehand. A question with an empty queue fails the
// test and is answered "cancel", so no test ever blocks on a dialog.
class CScriptedUi : public CPlatformUi {
public:
    using DialogScript = std::function<int(QDialog&)>;

    void QueueAnswer(Answer answer) { m_answers.push_back(answer); }
    // nullopt: the user cancels the dialog.
    void QueueFileName(std::optional<QString> path) { m_fileNames.push_back(std::move(path)); }
    void QueueFont(std::optional<QFont> font) { m_fonts.push_back(std::move(font)); }
    // The script runs with the dialog shown (not modal) and returns its result code.
    void QueueDialog(DialogScript script) { m_dialogs.push_back(std::move(script)); }
    void SetStartResult(bool ok) { m_startResult = ok; }
    void SetOpenResult(bool ok) { m_openResult = ok; }
    // The desktop's opener of the last OpenWithDesktop gives up after it started.
    void FailLastOpenLater() {
        if (m_openFailure)
            m_openFailure();
    }
    void SetTime(const QDateTime& time) { m_time = time; }
    void SetProgramFolder(const QString& folder) { m_programFolder = folder; }

    // Called with every message as it is shown, to look at the program at that moment.
    std::function<void(const Message&)> onMessage;

    // What happened, in order.
    std::vector<Message> messages;
    std::vector<FileDialog> fileDialogs;
    std::vector<FontDialog> fontDialogs;
    QStringList opened;
    std::vector<std::pair<QString, QStringList>> started;
    int dialogsRun = 0;

    // The texts of all messages shown so far.
    QStringList MessageTexts() const;
    // True when every queued answer was used.
    bool AllAnswersUsed() const;

    Answer ShowMessage(const Message& message) override;
    std::optional<QString> AskFileName(const FileDialog& request) override;
    std::optional<QFont> AskFont(const FontDialog& request) override;
    int RunDialog(QDialog& dialog) override;
    bool OpenWithDesktop(const QString& target, std::function<void()> onFailure) override;
    bool StartProgram(const QString& program, const QStringList& arguments) override;
    QDateTime LocalTime() override { return m_time; }
    QString ProgramFolder() override { return m_programFolder; }

private:
    std::deque<Answer> m_answers;
    std::deque<std::optional<QString>> m_fileNames;
    std::deque<std::optional<QFont>> m_fonts;
    std::deque<DialogScript> m_dialogs;
    bool m_startResult = true;
    bool m_openResult = true;
    std::function<void()> m_openFailure;
    QDateTime m_time = QDateTime(QDate(2000, 3, 7), QTime(12, 5, 0));
    QTemporaryDir m_defaultFolder;
    QString m_programFolder = m_defaultFolder.path();
};

// The program folder starts as a fresh temporary folder, so data files written "beside
// the program" never land in the build tree; tests that need the real folder (where the
// help library lives) set it.

// Installs a scripted stand-in for the duration of a test and restores the previous
// services afterwards.
class CScopedScriptedUi {
public:
    CScopedScriptedUi();
    ~CScopedScriptedUi();
    CScriptedUi* operator->() { return m_ui; }
    CScriptedUi& operator*() { return *m_ui; }

private:
    CScriptedUi* m_ui;
    std::unique_ptr<CPlatformUi> m_previous;
};
