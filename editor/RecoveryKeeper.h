#pragma once

#include "editor/TextBuffer.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// Keeps this instance's recovery copy in step with the document: written a moment after
// the last change while the text has unsaved changes, removed when it has none. The copy
// is written by a thread of its own from a snapshot, so typing never waits for the disk,
// however large the text.
class CRecoveryKeeper : public QObject {
    Q_OBJECT

public:
    // What the copy holds: the text and the file's path as the file system spells it.
    struct CSource {
        CTextSnapshot text;
        QByteArray path;
        // The file holds this very text: no copy is kept, and an older one is removed.
        bool onDisk = false;
    };

    // The copy is written after this long without a change...
    static constexpr int kQuietMs = 1000;
    // ...and never later than this after the first unsaved change, even while typing goes on.
    static constexpr int kLatestMs = 2000;

    // folder: where copies live (empty: nowhere, every write fails); fileName: this instance's.
    CRecoveryKeeper(QByteArray folder, std::string fileName, std::function<CSource()> source);
    ~CRecoveryKeeper() override;

    // The document's modified flag was set (an edit, a taken-over text) or cleared (saved,
    // changes given up, another text loaded).
    void ModifiedChanged(bool modified);
    // Writes the copy at once when the text has unsaved changes, and returns once the disk
    // holds it (or the write failed: false).
    bool Flush(bool modified);
    // From now on nothing removes the copy: the program is ending with its work kept there
    // (a termination signal, the end of the session).
    void KeepAtExit();
    bool KeptAtExit() const { return m_kept; }
    // Normal end: the copy is removed (unless kept) and the writer stopped.
    void Shutdown();

    // Takes over a copy a gone instance left, by renaming it to this instance's name; false
    // when it is no longer there (another instance took it first).
    bool Adopt(const QByteArray& file);
    // Removes this instance's copy now (the user declined an adopted copy).
    void Remove();
    // Waits until every requested write or removal is done (tests, before adopting).
    void WaitIdle();

    QByteArray CopyFile() const;
    const QByteArray& Folder() const { return m_folder; }

signals:
    // A write failed (errno); raised once per run.
    void WriteFailed(int errorNumber);

private:
    struct CJob {
        bool write = false; // otherwise remove
        CSource source;
    };

    void Schedule();
    void WriteNow();
    void Post(CJob job);
    void Run();

    const QByteArray m_folder;
    const std::string m_fileName;
    const std::function<CSource()> m_source;
    QTimer m_timer;
    QElapsedTimer m_firstPending;
    bool m_modified = false;
    bool m_copyMayExist = false;
    bool m_kept = false;
    bool m_shutDown = false;

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<CJob> m_job;
    bool m_busy = false;
    bool m_stop = false;
    int m_lastError = 0;
    bool m_failureTold = false;
    std::thread m_worker;
};
