#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

// Fake browsers and openers (for the help library, the desktop opener): small scripts in private folders that
// record each run (their name, parent process and arguments) in one log. While it exists, PATH holds only the
// fakes' first folder and BROWSER is unset.
class CFakeViewers {
public:
    CFakeViewers();
    ~CFakeViewers();

    // A folder of its own for further fakes (to put on PATH later).
    QString NewFolder();
    // Writes a fake named name into folder (default: the first), run by interpreter.
    QString Add(const QString& name, const QString& folder = QString(),
                const QString& interpreter = "/bin/sh", const QString& afterLogging = QString());
    void SetPath(const QString& path);
    void SetBrowser(const QByteArray& value);

    // Each run: name, the viewer's parent process id, then the arguments.
    std::vector<QStringList> Runs() const;
    // Waits up to five seconds for at least count runs.
    std::vector<QStringList> WaitForRuns(std::size_t count) const;

private:
    QTemporaryDir m_root;
    QString m_first;
    int m_folders = 0;
    QByteArray m_oldPath;
    QByteArray m_oldBrowser;
    bool m_hadBrowser = false;
};
