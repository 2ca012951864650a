#include "app/WeftpageApp.h"

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "editor/RecoveryCopy.h"
#include "editor/RecoveryKeeper.h"
#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "platform/FileName.h"
#include "platform/HelpBinding.h"
#include "platform/ImagePlugins.h"
#include "platform/PlatformUi.h"
#include "platform/SafeFileWriter.h"
#include "platform/StateFolder.h"
#include "platform/TerminationSignals.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>
#include <QWindow>

#include <csignal>
#include <cstdio>

namespace {

// Waits, a few seconds at most, until the window is on screen where the window manager put
// it: a message box of the start-up (a missing help library) centres over its owner's
// place, which until then is where the program asked, not where the window shows.
void WaitUntilPlaced(QWidget& window) {
    QElapsedTimer waited;
    waited.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        const QWindow* handle = window.windowHandle();
        if (!handle || handle->isExposed() || waited.elapsed() > 3000)
            loop.quit();
    });
    poll.start(10);
    loop.exec();
}

// Sees the application's Quit event that the platform sends when the session ends (a
// spontaneous one; the program's own exit sends none).
class CSessionEndFilter : public QObject {
public:
    explicit CSessionEndFilter(std::function<void()> onEnd) : m_onEnd(std::move(onEnd)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit && event->spontaneous())
            m_onEnd();
        return false;
    }

private:
    std::function<void()> m_onEnd;
};

} // namespace

CWeftpageApp::CWeftpageApp() {
    OnCommand(Cmd::kAbout, [this] { OnAbout(); });
}

CWeftpageApp::~CWeftpageApp() {
    ExitInstance();
}

QString CWeftpageApp::CommandLineOf(const QStringList& arguments) {
    QString line = arguments.join(QLatin1Char(' '));
    line.remove(QLatin1Char('"'));
    return line;
}

bool CWeftpageApp::InitInstance(const QStringList& arguments) {
    // The profile and the per-user data folder are named after maker and program.
    QCoreApplication::setOrganizationName(QStringLiteral("Brellmoor"));
    QCoreApplication::setApplicationName(Str::kAppTitle);
    m_recentFiles.Load();

    m_doc = std::make_unique<CWeftpageDoc>();
    m_frame = std::make_unique<CMainFrame>(*m_doc, m_router);
    m_router.SetTargets({m_frame->View(), m_frame.get(), this});
    StartRecovery();

    const QString commandLine = CommandLineOf(arguments);
    if (!m_frame->View()->InitialUpdate(commandLine))
        return false;
    if (!commandLine.isEmpty())
        m_recentFiles.Add(m_frame->View()->Naming().filePath);

    m_frame->show();
    WaitUntilPlaced(*m_frame);

    CHelpBinding::Instance().Bind();
    CImagePlugins::Instance().Bind(Ui().ProgramFolder());
    OfferRecovery();
    return true;
}

void CWeftpageApp::StartRecovery() {
    const auto self = RecoveryCopy::CurrentInstance();
    const QString folder = self ? StateFolder() : QString();
    CWeftpageView* view = m_frame->View();
    m_recovery = std::make_unique<CRecoveryKeeper>(
        FileName::ToNative(folder), self ? RecoveryCopy::FileNameOf(*self) : std::string(), [view] {
            return CRecoveryKeeper::CSource{view->Snapshot(), FileName::ToNative(view->Naming().filePath),
                                            view->TextIsOnDisk()};
        });
    QObject::connect(m_recovery.get(), &CRecoveryKeeper::WriteFailed, m_recovery.get(), [folder](int error) {
        const QString where = folder.isEmpty() ? QStringLiteral("$XDG_STATE_HOME/Brellmoor/Vuro")
                                               : FileName::ForDisplay(folder);
        Ui().Ask(QStringLiteral("回復用のコピーを %1 に書き込めません。\n%2\n"
                                "保存していない変更は、異常終了したときに失われます。")
                     .arg(where, SafeFile::ReasonOf(error)),
                 CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
    });
    m_doc->SetModifiedObserver([this](bool modified) { m_recovery->ModifiedChanged(modified); });

    m_signals = std::make_unique<CTerminationSignals>(std::initializer_list<int>{SIGTERM, SIGHUP});
    QObject::connect(m_signals.get(), &CTerminationSignals::Received, m_signals.get(),
                     [this](int) { EndKeepingWork(); });
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QObject::connect(gui, &QGuiApplication::commitDataRequest, m_signals.get(),
                         [this](QSessionManager& manager) {
                             // Asking for interaction waits until the session manager grants it.
                             const bool interaction = manager.allowsInteraction();
                             const bool goOn = CommitSessionData(interaction);
                             if (interaction)
                                 manager.release();
                             if (!goOn)
                                 manager.cancel();
                         });
        m_sessionEndFilter = std::make_unique<CSessionEndFilter>([this] { SessionEnding(); });
        gui->installEventFilter(m_sessionEndFilter.get());
    }
}

void CWeftpageApp::OfferRecovery() {
    const QByteArray folder = m_recovery->Folder();
    if (folder.isEmpty() || !RecoveryCopy::CurrentInstance())
        return;
    const auto leftovers = RecoveryCopy::Leftovers(
        folder, [](const RecoveryCopy::CInstanceId& id) { return RecoveryCopy::IsInstanceAlive(id); });
    for (const RecoveryCopy::CLeftover& leftover : leftovers) {
        // Renaming it to this instance's name claims it: an editor starting at the same
        // moment cannot offer it too, and a crash from here on leaves it for the next start.
        if (!m_recovery->Adopt(leftover.file))
            continue;
        const auto content = RecoveryCopy::Read(m_recovery->CopyFile());
        if (!content) {
            // Damaged: kept aside for whoever wants to look at it, never offered again.
            ::rename(m_recovery->CopyFile().constData(), (leftover.file + ".damaged").constData());
            continue;
        }
        const QString path = FileName::FromNative(content->path);
        const QString shown = path.isEmpty() ? Str::kUntitled : FileName::ForDisplay(path);
        const auto answer = Ui().Ask(
            QStringLiteral("前回保存されなかった変更が残っています。\n%1\n復元しますか？").arg(shown),
            CPlatformUi::Buttons::YesNo, CPlatformUi::Icon::Question, 1);
        // A termination signal ended the question: its answer is no answer, the copy stays.
        if (m_ending)
            return;
        if (answer == CPlatformUi::Answer::Yes) {
            m_frame->View()->RestoreRecoveredText(content->text, path);
            if (!path.isEmpty())
                m_recentFiles.Add(path);
            return;
        }
        m_recovery->Remove();
    }
}

void CWeftpageApp::EndKeepingWork() {
    if (m_ending || !m_frame)
        return;
    m_ending = true;
    m_recovery->Flush(m_doc->IsModified());
    m_recovery->KeepAtExit();
    m_frame->SaveBarState();
    // exit() also ends any dialog's own event loop; the queued call ends the main loop even
    // when the signal came before it started. The function-key file and the recent-file list
    // are written by ExitInstance.
    QCoreApplication::exit(0);
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

bool CWeftpageApp::CommitSessionData(bool interactionAllowed) {
    if (!m_frame)
        return true;
    if (interactionAllowed) {
        if (!m_frame->View()->AskSaveChanges())
            return false;
        // いいえ: the changes are given up, so the closing asks nothing more.
        m_doc->SetModifiedFlag(false);
    } else {
        m_recovery->Flush(m_doc->IsModified());
    }
    m_frame->SaveBarState();
    return true;
}

void CWeftpageApp::SessionEnding() {
    if (!m_frame || !m_doc->IsModified())
        return;
    m_recovery->Flush(true);
    m_recovery->KeepAtExit();
    m_frame->CloseKeepingRecovery();
}

void CWeftpageApp::ExitInstance() {
    if (m_exited || !m_doc)
        return;
    m_exited = true;
    // Normal end: the copy goes (unless a signal or the session's end kept it).
    if (m_recovery) {
        m_doc->SetModifiedObserver(nullptr);
        m_recovery->Shutdown();
    }
    if (m_sessionEndFilter)
        QCoreApplication::instance()->removeEventFilter(m_sessionEndFilter.get());
    m_router.SetTargets({});
    m_frame.reset();
    CHelpBinding::Instance().Release();
    CImagePlugins::Instance().Release();
    m_recentFiles.Save();
}

void CWeftpageApp::OnAbout() {
    CAboutDlg dialog(m_frame.get());
    Ui().RunDialog(dialog);
}
