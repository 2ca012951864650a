#pragma once

#include "platform/PlatformUi.h"

#include <memory>

class QFontDialog;

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

// The font dialog AskFont runs, for tests to look at without running it: Qt's own dialog,
// opened on the face Qt really draws for request.initial, offering only sizes within the
// request's limits.
std::unique_ptr<QFontDialog> MakeFontDialog(const CPlatformUi::FontDialog& request, QWidget* owner);
