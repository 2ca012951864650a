#include "editor/RecoveryKeeper.h"

#include "editor/RecoveryCopy.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

CRecoveryKeeper::CRecoveryKeeper(QByteArray folder, std::string fileName, std::function<CSource()> source)
    : m_folder(std::move(folder)), m_fileName(std::move(fileName)), m_source(std::move(source)) {
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CRecoveryKeeper::WriteNow);
    m_worker = std::thread([this] { Run(); });
}

CRecoveryKeeper::~CRecoveryKeeper() {
    Shutdown();
}

QByteArray CRecoveryKeeper::CopyFile() const {
    return m_folder + '/' + QByteArray::fromStdString(m_fileName);
}

void CRecoveryKeeper::ModifiedChanged(bool modified) {
    if (m_kept || m_shutDown)
        return;
    m_modified = modified;
    if (modified) {
        Schedule();
        return;
    }
    m_timer.stop();
    m_firstPending.invalidate();
    if (m_copyMayExist)
        Remove();
}

void CRecoveryKeeper::Schedule() {
    // Restarting a timer is all a key press costs here.
    if (!m_firstPending.isValid())
        m_firstPending.start();
    const qint64 left = kLatestMs - m_firstPending.elapsed();
    m_timer.start(static_cast<int>(std::clamp<qint64>(left, 0, kQuietMs)));
}

void CRecoveryKeeper::WriteNow() {
    m_firstPending.invalidate();
    if (!m_modified || m_kept || m_shutDown)
        return;
    CSource source = m_source();
    if (source.onDisk) {
        // Back to the file's text (undo): an older copy would bring back what is gone.
        if (m_copyMayExist)
            Remove();
        return;
    }
    m_copyMayExist = true;
    Post({true, std::move(source)});
}

void CRecoveryKeeper::Remove() {
    if (m_kept || m_shutDown)
        return;
    m_copyMayExist = false;
    Post({false, {}});
}

void CRecoveryKeeper::Post(CJob job) {
    {
        const std::lock_guard lock(m_mutex);
        // Each job describes the whole wanted state, so a newer one replaces one not started.
        m_job = std::move(job);
    }
    m_wake.notify_one();
}

void CRecoveryKeeper::WaitIdle() {
    std::unique_lock lock(m_mutex);
    m_idle.wait(lock, [this] { return !m_job && !m_busy; });
}

bool CRecoveryKeeper::Flush(bool modified) {
    if (m_shutDown)
        return false;
    m_modified = modified;
    m_timer.stop();
    if (!m_kept && modified)
        WriteNow();
    WaitIdle();
    const std::lock_guard lock(m_mutex);
    return !modified || m_lastError == 0;
}

void CRecoveryKeeper::KeepAtExit() {
    m_kept = true;
    m_timer.stop();
}

void CRecoveryKeeper::Shutdown() {
    if (m_shutDown)
        return;
    m_timer.stop();
    if (!m_kept && m_copyMayExist)
        Remove();
    m_shutDown = true;
    WaitIdle();
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_worker.joinable())
        m_worker.join();
}

bool CRecoveryKeeper::Adopt(const QByteArray& file) {
    WaitIdle();
    if (m_folder.isEmpty() || ::rename(file.constData(), CopyFile().constData()) != 0)
        return false;
    m_copyMayExist = true;
    return true;
}

void CRecoveryKeeper::Run() {
    for (;;) {
        CJob job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_job || m_stop; });
            if (!m_job)
                return;
            job = std::move(*m_job);
            m_job.reset();
            m_busy = true;
        }
        int error = 0;
        if (job.write) {
            error = m_folder.isEmpty()
                        ? ENOENT
                        : RecoveryCopy::Write(m_folder, m_fileName, job.source.path, job.source.text);
        } else if (!m_folder.isEmpty() && ::unlink(CopyFile().constData()) != 0 && errno != ENOENT) {
            error = errno;
        }
        // The snapshot is let go here, not on the user-interface thread.
        job = CJob();
        bool tell = false;
        {
            const std::lock_guard lock(m_mutex);
            m_busy = false;
            m_lastError = error;
            if (error != 0 && !m_failureTold)
                tell = m_failureTold = true;
        }
        m_idle.notify_all();
        if (tell)
            emit WriteFailed(error); // queued to the receivers' thread
    }
}
