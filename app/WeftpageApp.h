#pragma once

#include "app/RecentFileList.h"
#include "platform/CommandRouter.h"

#include <QObject>
#include <QStringList>

#include <memory>

class CMainFrame;
class CRecoveryKeeper;
class CTerminationSignals;
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
    CRecoveryKeeper* Recovery() const { return m_recovery.get(); }

    // Offers back, one at a time and newest first, the recovery copies of editors that
    // ended without saving; the first one taken ends the offer (the rest wait for the next
    // start). Called at start-up once the window shows.
    void OfferRecovery();
    // SIGTERM or SIGHUP: the unsaved text goes to the recovery copy, the profile and the
    // data files are written, and the program ends without a question.
    void EndKeepingWork();
    // The session is about to end (log out, shut down). Where the session manager lets the
    // program talk to the user, the save question runs; false when the user cancels it, which
    // cancels the session's end. Otherwise the unsaved text goes to the recovery copy.
    bool CommitSessionData(bool interactionAllowed);
    // The session manager ends the program: unsaved text stays in the recovery copy and the
    // window closes without a question.
    void SessionEnding();

    // The arguments joined with blanks, every double quote removed.
    static QString CommandLineOf(const QStringList& arguments);

private:
    void OnAbout();
    void StartRecovery();

    std::unique_ptr<CWeftpageDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    CCommandRouter m_router;
    CRecentFileList m_recentFiles;
    std::unique_ptr<CRecoveryKeeper> m_recovery;
    std::unique_ptr<CTerminationSignals> m_signals;
    std::unique_ptr<QObject> m_sessionEndFilter;
    bool m_ending = false;
    bool m_exited = false;
};
