#include "tests/support/FakeViewers.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdlib>

CFakeViewers::CFakeViewers() {
    m_oldPath = qgetenv("PATH");
    m_hadBrowser = qEnvironmentVariableIsSet("BROWSER");
    m_oldBrowser = qgetenv("BROWSER");
    m_first = NewFolder();
    SetPath(m_first);
    unsetenv("BROWSER");
}

CFakeViewers::~CFakeViewers() {
    qputenv("PATH", m_oldPath);
    if (m_hadBrowser)
        qputenv("BROWSER", m_oldBrowser);
    else
        unsetenv("BROWSER");
}

QString CFakeViewers::NewFolder() {
    const QString folder = m_root.filePath(QString("bin%1").arg(++m_folders));
    QDir().mkpath(folder);
    return folder;
}

QString CFakeViewers::Add(const QString& name, const QString& folder, const QString& interpreter,
                          const QString& afterLogging) {
    const QString path = QDir(folder.isEmpty() ? m_first : folder).filePath(name);
    QFile script(path);
    if (!script.open(QIODevice::WriteOnly))
        return QString();
    const QString log = m_root.filePath("runs.log");
    script.write(QString("#!%1\n"
                         "{ printf '%s\\t%s' '%2' \"$PPID\"; for a in \"$@\"; do printf '\\t%s' \"$a\"; done;"
                         " printf '\\n'; } >> '%3'\n%4\n")
                     .arg(interpreter, name, log, afterLogging)
                     .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

void CFakeViewers::SetPath(const QString& path) {
    qputenv("PATH", QFile::encodeName(path));
}

void CFakeViewers::SetBrowser(const QByteArray& value) {
    qputenv("BROWSER", value);
}

std::vector<QStringList> CFakeViewers::Runs() const {
    std::vector<QStringList> runs;
    QFile log(m_root.filePath("runs.log"));
    if (!log.open(QIODevice::ReadOnly))
        return runs;
    for (const QByteArray& line : log.readAll().split('\n'))
        if (!line.isEmpty())
            runs.push_back(QString::fromUtf8(line).split('\t'));
    return runs;
}

std::vector<QStringList> CFakeViewers::WaitForRuns(std::size_t count) const {
    QDeadlineTimer deadline(5000);
    std::vector<QStringList> runs = Runs();
    while (runs.size() < count && !deadline.hasExpired()) {
        QThread::msleep(20);
        runs = Runs();
    }
    return runs;
}
