#include "tests/support/ScriptedUi.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

QStringList CScriptedUi::MessageTexts() const {
    QStringList texts;
    for (const Message& m : messages)
        texts.append(m.text);
    return texts;
}

bool CScriptedUi::AllAnswersUsed() const {
    return m_answers.empty() && m_fileNames.empty() && m_fonts.empty() && m_dialogs.empty();
}

CPlatformUi::Answer CScriptedUi::ShowMessage(const Message& message) {
    messages.push_back(message);
    if (onMessage)
        onMessage(message);
    if (message.buttons == Buttons::Ok)
        return Answer::Ok;
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << message.text.toStdString();
        return message.buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

std::optional<QString> CScriptedUi::AskFileName(const FileDialog& request) {
    fileDialogs.push_back(request);
    if (m_fileNames.empty()) {
        ADD_FAILURE() << "unexpected file dialog";
        return std::nullopt;
    }
    const bool chosen = m_fileNames.front().has_value();
    const QString path = chosen ? *m_fileNames.front() : QString();
    m_fileNames.pop_front();
    if (!chosen)
        return std::nullopt;
    return path;
}

std::optional<QFont> CScriptedUi::AskFont(const FontDialog& request) {
    fontDialogs.push_back(request);
    if (m_fonts.empty()) {
        ADD_FAILURE() << "unexpected font dialog";
        return std::nullopt;
    }
    auto answer = m_fonts.front();
    m_fonts.pop_front();
    return answer;
}

int CScriptedUi::RunDialog(QDialog& dialog) {
    ++dialogsRun;
    if (m_dialogs.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << dialog.windowTitle().toStdString();
        return QDialog::Rejected;
    }
    DialogScript script = std::move(m_dialogs.front());
    m_dialogs.pop_front();
    dialog.show();
    [[maybe_unused]] const bool exposed = QTest::qWaitForWindowExposed(&dialog);
    QCoreApplication::processEvents();
    const int result = script(dialog);
    dialog.hide();
    return result;
}

bool CScriptedUi::OpenWithDesktop(const QString& target, std::function<void()> onFailure) {
    opened.append(target);
    m_openFailure = std::move(onFailure);
    return m_openResult;
}

bool CScriptedUi::StartProgram(const QString& program, const QStringList& arguments) {
    started.emplace_back(program, arguments);
    return m_startResult;
}

CScopedScriptedUi::CScopedScriptedUi() {
    auto ui = std::make_unique<CScriptedUi>();
    m_ui = ui.get();
    m_previous = SetUi(std::move(ui));
}

CScopedScriptedUi::~CScopedScriptedUi() {
    SetUi(std::move(m_previous));
}
