#include "platform/QtPlatformUi.h"

#include "platform/DialogControls.h"
#include "platform/FileFilter.h"
#include "platform/FileName.h"
#include "platform/FontRecord.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Starts a program whose arguments hold bytes that are not UTF-8 (QProcess would turn them
// into U+FFFD): detached through a second fork, the exec's failure read back through a pipe.
bool StartDetachedWithBytes(const QString& program, const QStringList& arguments) {
    std::vector<QByteArray> bytes{FileName::ToNative(program)};
    for (const QString& argument : arguments)
        bytes.push_back(FileName::ToNative(argument));
    std::vector<char*> argv;
    for (QByteArray& b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(pipe[0]);
        ::close(pipe[1]);
        return false;
    }
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            ::execvp(argv[0], argv.data());
            const int error = errno;
            (void)::write(pipe[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(pipe[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n = 0;
    while ((n = ::read(pipe[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    ::close(pipe[0]);
    return n == 0;
}

struct ButtonSpec {
    QMessageBox::StandardButton button;
    CPlatformUi::Answer answer;
};

QList<ButtonSpec> ButtonsOf(CPlatformUi::Buttons buttons) {
    using A = CPlatformUi::Answer;
    switch (buttons) {
    case CPlatformUi::Buttons::Ok:
        return {{QMessageBox::Ok, A::Ok}};
    case CPlatformUi::Buttons::OkCancel:
        return {{QMessageBox::Ok, A::Ok}, {QMessageBox::Cancel, A::Cancel}};
    case CPlatformUi::Buttons::YesNo:
        return {{QMessageBox::Yes, A::Yes}, {QMessageBox::No, A::No}};
    case CPlatformUi::Buttons::YesNoCancel:
        return {{QMessageBox::Yes, A::Yes}, {QMessageBox::No, A::No}, {QMessageBox::Cancel, A::Cancel}};
    }
    return {};
}

QString Caption(QMessageBox::StandardButton b) {
    switch (b) {
    case QMessageBox::Yes:
        return QStringLiteral("はい(&Y)");
    case QMessageBox::No:
        return QStringLiteral("いいえ(&N)");
    case QMessageBox::Cancel:
        return QStringLiteral("キャンセル");
    default:
        return QStringLiteral("OK");
    }
}

QMessageBox::Icon IconOf(CPlatformUi::Icon icon) {
    switch (icon) {
    case CPlatformUi::Icon::Information:
        return QMessageBox::Information;
    case CPlatformUi::Icon::Question:
        return QMessageBox::Question;
    case CPlatformUi::Icon::Warning:
        return QMessageBox::Warning;
    case CPlatformUi::Icon::Stop:
        return QMessageBox::Critical;
    case CPlatformUi::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Whether every row of a list of the font dialog is a number: the list of sizes.
bool IsSizeList(const QListView* list) {
    const QAbstractItemModel* model = list->model();
    if (!model || model->rowCount() == 0)
        return false;
    for (int row = 0; row < model->rowCount(); ++row) {
        bool number = false;
        model->index(row, 0).data().toString().toInt(&number);
        if (!number)
            return false;
    }
    return true;
}

// Qt's font dialog within size limits: the size list shows only the sizes within them
// (again whenever another face or style fills it anew), and OK on a size typed into the
// field outside them is refused with a word to the user, the dialog staying open.
class CLimitedFontDialog : public QFontDialog {
public:
    CLimitedFontDialog(const CPlatformUi::FontDialog& request, QWidget* owner)
        : QFontDialog(owner), m_min(request.minPoints), m_max(request.maxPoints) {
        // Qt's own dialog, so that its effects group (underline, strike-out) can be hidden.
        setOption(QFontDialog::DontUseNativeDialog);
        if (!request.effects)
            for (QGroupBox* group : findChildren<QGroupBox*>())
                if (group->findChild<QCheckBox*>())
                    group->hide();
        // The list of faces holds real faces only; a stored Windows name is a substitution.
        setCurrentFont(FontRecord::DrawnFont(request.initial));
        if (Limited())
            LimitSizes();
    }

    void done(int result) override {
        const int size = currentFont().pointSize();
        if (result == QDialog::Accepted && Limited() && (size < m_min || size > m_max)) {
            Ui().Ask(
                QStringLiteral("サイズは %1 から %2 ポイントの間で指定してください。").arg(m_min).arg(m_max),
                CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
            return;
        }
        QFontDialog::done(result);
    }

private:
    bool Limited() const { return m_min > 0 && m_max >= m_min; }

    void LimitSizes() {
        for (QLineEdit* edit : findChildren<QLineEdit*>()) {
            bool number = false;
            edit->text().toInt(&number);
            if (number)
                edit->setValidator(new QIntValidator(m_min, m_max, edit));
        }
        for (QListView* list : findChildren<QListView*>()) {
            if (!IsSizeList(list))
                continue;
            const auto hideOthers = [this, list] {
                for (int row = 0; row < list->model()->rowCount(); ++row) {
                    const int size = list->model()->index(row, 0).data().toString().toInt();
                    list->setRowHidden(row, size < m_min || size > m_max);
                }
            };
            connect(list->model(), &QAbstractItemModel::modelReset, list, hideOthers);
            hideOthers();
        }
    }

    int m_min;
    int m_max;
};

} // namespace

std::unique_ptr<QFontDialog> MakeFontDialog(const CPlatformUi::FontDialog& request, QWidget* owner) {
    return std::make_unique<CLimitedFontDialog>(request, owner);
}

CPlatformUi::Answer CQtPlatformUi::ShowMessage(const Message& message) {
    QMessageBox box(IconOf(message.icon), message.caption, message.text, QMessageBox::NoButton, Owner());
    const QList<ButtonSpec> specs = ButtonsOf(message.buttons);
    QList<QPushButton*> pushButtons;
    for (const ButtonSpec& spec : specs) {
        QPushButton* b = box.addButton(spec.button);
        b->setText(Caption(spec.button));
        pushButtons.append(b);
    }
    const int def = std::clamp(message.defaultButton, 1, static_cast<int>(pushButtons.size())) - 1;
    box.setDefaultButton(pushButtons[def]);
    // Escape answers Cancel where there is one, otherwise the only button.
    if (specs.size() == 1 || message.buttons == Buttons::OkCancel || message.buttons == Buttons::YesNoCancel)
        box.setEscapeButton(pushButtons.last());
    FixDialogFrame(box);
    box.exec();
    for (int i = 0; i < pushButtons.size(); ++i)
        if (box.clickedButton() == pushButtons[i])
            return specs[i].answer;
    return message.buttons == Buttons::YesNo ? Answer::No : (specs.size() == 1 ? Answer::Ok : Answer::Cancel);
}

std::optional<QString> CQtPlatformUi::AskFileName(const FileDialog& request) {
    QFileDialog dialog(Owner());
    dialog.setWindowTitle(!request.title.isEmpty() ? request.title
                                                   : (request.save ? QStringLiteral("名前を付けて保存")
                                                                   : QStringLiteral("ファイルを開く")));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile
                                    : (request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setNameFilters(QtFilters(request.filter));
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.initialFolder.isEmpty() && QFileInfo(request.initialFolder).isDir())
        dialog.setDirectory(request.initialFolder);
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    // Qt's file list shows a name that is not UTF-8 with U+FFFD: find the real file.
    return FileName::FromQtPath(dialog.selectedFiles().first());
}

std::optional<QFont> CQtPlatformUi::AskFont(const FontDialog& request) {
    const std::unique_ptr<QFontDialog> dialog = MakeFontDialog(request, Owner());
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->selectedFont();
}

int CQtPlatformUi::RunDialog(QDialog& dialog) {
    FixDialogFrame(dialog);
    return dialog.exec();
}

bool CQtPlatformUi::OpenWithDesktop(const QString& target, std::function<void()> onFailure) {
    // xdg-open exits non-zero when no handler can show the target. It may also run a browser
    // in the foreground for as long as that lives, so nobody waits for it: the process object
    // has no parent and is deliberately not destroyed at exit, which would kill the browser.
    auto* opener = new QProcess;
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({target});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, onFailure = std::move(onFailure)](int code, QProcess::ExitStatus status) {
                         opener->deleteLater();
                         if ((code != 0 || status != QProcess::NormalExit) && onFailure)
                             onFailure();
                     });
    opener->start();
    if (!opener->waitForStarted()) {
        delete opener;
        return false;
    }
    return true;
}

bool CQtPlatformUi::StartProgram(const QString& program, const QStringList& arguments) {
    if (FileName::HasForeignBytes(program) ||
        std::any_of(arguments.begin(), arguments.end(), FileName::HasForeignBytes))
        return StartDetachedWithBytes(program, arguments);
    return QProcess::startDetached(program, arguments);
}

QDateTime CQtPlatformUi::LocalTime() {
    return QDateTime::currentDateTime();
}

QString CQtPlatformUi::ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}
