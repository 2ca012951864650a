#pragma once

#include <QDateTime>
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

// Everything that talks to the user or the outside world outside the main window goes
// through this interface: message boxes, file and font dialogs, the desktop's opener,
// starting programs, the clock and the program's folder. The Qt implementation is the
// real one; tests install a scripted one.
class CPlatformUi {
public:
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Icon { None, Information, Question, Warning, Stop };
    enum class Answer { Ok, Cancel, Yes, No };

    struct Message {
        QString text;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        int defaultButton = 1; // 1-based position among the buttons
        QString caption = QStringLiteral("Vuro");
    };

    struct FileDialog {
        bool save = false;
        QString title;            // empty: the dialog's own ("開く", "名前を付けて保存")
        QString filter;           // "Name(*.a;*.b)|*.a;*.b|...||"
        QString defaultExtension; // added to a typed name without extension
        QString initialFolder;
        QString initialName;
        bool overwritePrompt = false;
        bool mustExist = false;
    };

    struct FontDialog {
        QFont initial;
        int minPoints = 0;
        int maxPoints = 0;
        bool screenFontsOnly = true;
        bool effects = false;
    };

    virtual ~CPlatformUi() = default;

    virtual Answer ShowMessage(const Message& message) = 0;
    // The chosen full path, or nullopt when the user cancelled.
    virtual std::optional<QString> AskFileName(const FileDialog& request) = 0;
    virtual std::optional<QFont> AskFont(const FontDialog& request) = 0;
    // Runs one of the program's own modal dialogs; returns its result code.
    virtual int RunDialog(QDialog& dialog) = 0;
    // Opens a file or URL with the desktop's opener; false when it could not be started.
    // The opener decides only after it has started whether anything can show the target:
    // onFailure runs later, from the event loop, when it gives up.
    virtual bool OpenWithDesktop(const QString& target, std::function<void()> onFailure) = 0;
    // Starts a program with an argument vector (no shell); false when it could not start.
    virtual bool StartProgram(const QString& program, const QStringList& arguments) = 0;
    virtual QDateTime LocalTime() = 0;
    // The folder of the running program.
    virtual QString ProgramFolder() = 0;

    // The owner window of dialogs and message boxes (the main frame), may be null.
    void SetOwner(QWidget* owner) { m_owner = owner; }
    QWidget* Owner() const { return m_owner; }

    // Shorthand for the common case: text, buttons, icon and default button.
    Answer Ask(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
               int defaultButton = 1) {
        return ShowMessage(Message{text, buttons, icon, defaultButton});
    }

private:
    QWidget* m_owner = nullptr;
};

// The services the program uses; the Qt implementation unless a test installed its own.
CPlatformUi& Ui();
// Installs another implementation and returns the previous one.
std::unique_ptr<CPlatformUi> SetUi(std::unique_ptr<CPlatformUi> ui);

// Where a data file of the program (vurofkey.dat, vuroskel.dat) lives: beside the
// program when its folder is writable and outside /usr, otherwise in the user's data folder.
QString DataFilePath(const QString& fileName);
