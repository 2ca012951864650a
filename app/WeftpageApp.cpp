#include "app/WeftpageApp.h"

#include "app/AboutDlg.h"
#include "app/HelpBinding.h"
#include "app/ImagePlugins.h"
#include "app/MainFrame.h"
#include "editor/WeftpageDoc.h"
#include "editor/WeftpageView.h"
#include "platform/PlatformUi.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"

#include <QCoreApplication>

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

    const QString commandLine = CommandLineOf(arguments);
    if (!m_frame->View()->InitialUpdate(commandLine))
        return false;
    if (!commandLine.isEmpty())
        m_recentFiles.Add(m_frame->View()->Naming().filePath);

    m_frame->show();
    QCoreApplication::processEvents();

    CHelpBinding::Instance().Bind();
    CImagePlugins::Instance().Bind(Ui().ProgramFolder());
    return true;
}

void CWeftpageApp::ExitInstance() {
    if (m_exited || !m_doc)
        return;
    m_exited = true;
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
