#pragma once

#include "platform/PlatformUi.h"

// The real services: Qt message boxes and dialogs, xdg-open, QProcess.
class CQtPlatformUi : public CPlatformUi {
public:
    Answer ShowMessage(const Message& message) override;
    std::optional<QString> AskFileName(const FileDialog& request) override;
    std::optional<QFont> AskFont(const FontDialog& request) override;
    int RunDialog(QDialog& dialog) override;
    bool OpenWithDesktop(const QString& target, std::function<void()> onFailure) override;
    bool StartProgram(const QString& program, const QStringList& arguments) override;
    QDateTime LocalTime() override;
    QString ProgramFolder() override;
};
