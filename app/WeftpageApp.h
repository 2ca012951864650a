#pragma once

#include "app/CommandRouter.h"
#include "app/RecentFileList.h"

#include <QStringList>

#include <memory>

class CMainFrame;
class CWeftpageDoc;

// The editor program: where its settings live, its one document, frame and view, the
// command line, the help library and the image plug-ins, and the About box.
class CWeftpageApp : public CCommandTarget {
public:
    CWeftpageApp();
    ~CWeftpageApp() override;

    // Start-up; false when the program should end at once (a command-line file that
    // cannot be read).
    bool InitInstance(const QStringList& arguments);
    // Shut-down: the frame and view go first (the preview copy is deleted), then the
    // help library and the plug-ins are released and the recent-file list written.
    void ExitInstance();

    CMainFrame* MainFrame() const { return m_frame.get(); }
    CWeftpageDoc& Document() const { return *m_doc; }
    const CCommandRouter& Router() const { return m_router; }
    const CRecentFileList& RecentFiles() const { return m_recentFiles; }

    // The arguments joined with blanks, every double quote removed.
    static QString CommandLineOf(const QStringList& arguments);

private:
    void OnAbout();

    std::unique_ptr<CWeftpageDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    CCommandRouter m_router;
    CRecentFileList m_recentFiles;
    bool m_exited = false;
};
