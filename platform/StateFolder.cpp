#include "platform/StateFolder.h"

#include "platform/FileName.h"

#include <QDir>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>

QString StateFolder() {
    QString base;
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && state[0] == '/')
        base = FileName::FromNative(QByteArray(state));
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        base = FileName::FromNative(QByteArray(home)) + QStringLiteral("/.local/state");
    else
        return {};
    const QString folder = base + QStringLiteral("/Brellmoor/Vuro");
    // Every level is made in turn, so that the folders this program owns get mode 0700.
    QByteArray path;
    for (const QString& part : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += '/' + FileName::ToNative(part);
        if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
            return {};
    }
    struct stat st {};
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return {};
    return folder;
}
