#include "platform/FileName.h"

#include "platform/Cp932.h"
#include "platform/Utf8.h"

#include <QDir>
#include <QFile>
#include <QUrl>

#include <dirent.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace FileName {
namespace {

constexpr char16_t kEscapeBase = 0xDC80;

bool IsEscape(char16_t c) {
    return c >= kEscapeBase && c <= kEscapeBase + 0x7F;
}

// Length of the well-formed UTF-8 sequence at bytes[i], or 0 when there is none.
int Utf8Length(std::string_view bytes, std::size_t i) {
    const int length = Utf8::SequenceAt(bytes, i);
    return length == Utf8::kCutOff ? 0 : length;
}

bool Exists(const QByteArray& native) {
    struct stat st {};
    return ::lstat(native.constData(), &st) == 0;
}

// The entries of folder whose name Qt would show as wanted.
QList<QByteArray> EntriesShownAs(const QByteArray& folder, const QString& wanted) {
    QList<QByteArray> found;
    DIR* dir = ::opendir(folder.isEmpty() ? "." : folder.constData());
    if (!dir)
        return found;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (QFile::decodeName(name) == wanted)
            found.append(name);
    }
    ::closedir(dir);
    return found;
}

} // namespace

QByteArray ToNative(const QString& path) {
    QByteArray out;
    out.reserve(path.size());
    const qsizetype n = path.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = path[i].unicode();
        if (IsEscape(c)) {
            out.append(static_cast<char>(c - kEscapeBase + 0x80));
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(path[i + 1].unicode())) {
            out.append(QStringView(path).mid(i, 2).toUtf8());
            ++i;
            continue;
        }
        out.append(QStringView(path).mid(i, 1).toUtf8());
    }
    return out;
}

QString FromNative(const QByteArray& bytes) {
    const std::string_view view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    QString out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < view.size()) {
        const int length = Utf8Length(view, i);
        if (length == 0) {
            out.append(
                QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(view[i]) - 0x80)));
            ++i;
            continue;
        }
        out.append(QString::fromUtf8(view.data() + i, length));
        i += static_cast<std::size_t>(length);
    }
    return out;
}

bool HasForeignBytes(const QString& path) {
    for (const QChar c : path)
        if (IsEscape(c.unicode()))
            return true;
    return false;
}

bool IsFile(const QString& path) {
    struct stat st {};
    return ::stat(ToNative(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

QString AbsolutePath(const QString& path) {
    if (path.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(path);
    char buffer[4096];
    const QString folder =
        ::getcwd(buffer, sizeof buffer) ? FromNative(QByteArray(buffer)) : QDir::currentPath();
    return QDir::cleanPath(folder + QLatin1Char('/') + path);
}

QStringList FromArgv(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(FromNative(QByteArray(argv[i])));
    return arguments;
}

QString FromQtPath(const QString& path) {
    if (!path.contains(QChar(QChar::ReplacementCharacter)))
        return path;
    const QStringList parts = path.split(QLatin1Char('/'));
    QByteArray resolved;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            resolved.append('/');
        const QString& part = parts[i];
        QByteArray name = ToNative(part);
        if (part.contains(QChar(QChar::ReplacementCharacter)) && !Exists(resolved + name)) {
            const QList<QByteArray> matches = EntriesShownAs(resolved, part);
            // Only a name that stands for exactly one entry is taken; otherwise the path
            // is left as it is and opening it tells the user it is not found.
            if (matches.size() == 1)
                name = matches.first();
        }
        resolved.append(name);
    }
    return FromNative(resolved);
}

QString FromUrl(const QUrl& url) {
    if (!url.isLocalFile())
        return {};
    // The encoded form keeps bytes that are not UTF-8 as percent-escapes.
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    return FromNative(QByteArray::fromPercentEncoding(encoded));
}

QString ForDisplay(const QString& path) {
    if (!HasForeignBytes(path))
        return path;
    QStringList parts = path.split(QLatin1Char('/'));
    for (QString& part : parts) {
        if (!HasForeignBytes(part))
            continue;
        const QByteArray bytes = ToNative(part);
        part = Cp932::Decode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    return parts.join(QLatin1Char('/'));
}

} // namespace FileName
