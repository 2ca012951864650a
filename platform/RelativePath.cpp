#include "platform/RelativePath.h"

#include "platform/Cp932.h"
#include "platform/PlatformUi.h"

namespace {

bool IsPosix(const QString& path) {
    return path.startsWith(QLatin1Char('/'));
}

// The path with "/" as its only separator; a POSIX path has no other.
QString WithSlashes(QString path, bool posix) {
    return posix ? path : path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// Whether the ".." parts of a POSIX path lead above its root folder.
bool ClimbsAboveRoot(const QString& path) {
    int depth = 0;
    for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QStringLiteral(".."))
            --depth;
        else if (part != QStringLiteral("."))
            ++depth;
        if (depth < 0)
            return true;
    }
    return false;
}

// Everything before the last "/", or the empty string when there is none.
QString Parent(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

QString LastPart(const QString& path) {
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

bool HasDrive(const QString& path) {
    return path.size() >= 2 && path[1] == QLatin1Char(':') && path[0].isLetter();
}

} // namespace

QString MakeRelativePath(const QString& base, const QString& target) {
    const bool posix = IsPosix(base);
    QString b = Parent(WithSlashes(base, posix));
    const QString t0 = WithSlashes(target, posix);
    const QString name = LastPart(t0);
    QString t = Parent(t0);
    QString up, down;
    // Shortening the longer of two different folders never passes their common parent,
    // so this climbs as little as possible and then descends.
    while (b != t) {
        if (b.size() > t.size()) {
            up += QStringLiteral("../");
            b = Parent(b);
        } else {
            down.prepend(LastPart(t) + QLatin1Char('/'));
            t = Parent(t);
        }
    }
    return up + down + name;
}

std::optional<QString> ResolveRelativePath(const QString& base, const QString& relative, QChar separator) {
    const bool posix = IsPosix(base);
    QString b = Parent(WithSlashes(base, posix));
    QString rest = WithSlashes(relative, posix);
    while (!b.isEmpty()) {
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        const QString first = slash < 0 ? QString() : rest.left(slash);
        if (first == QStringLiteral("..")) {
            rest.remove(0, slash + 1);
            b = Parent(b);
        } else if (first == QStringLiteral(".")) {
            rest.remove(0, slash + 1);
        } else {
            break;
        }
    }
    QString result = b + QLatin1Char('/') + rest;
    if (posix)
        return ClimbsAboveRoot(result) ? std::nullopt : std::optional<QString>(result);
    return result.replace(QLatin1Char('/'), separator);
}

bool IsOnOtherDrive(const QString& reference, const QString& chosen) {
    if (!HasDrive(reference) || !HasDrive(chosen))
        return false;
    return reference.left(2) != chosen.left(2);
}

std::optional<QString> BrowseRelative(const QString& reference, const QString& filter,
                                      const QString& startFolder, QString* chosenPath) {
    if (reference.isEmpty())
        return std::nullopt;
    CPlatformUi::FileDialog request;
    request.filter = filter;
    request.initialFolder = startFolder;
    request.mustExist = true;
    const auto chosen = Ui().AskFileName(request);
    if (!chosen)
        return std::nullopt;
    if (IsOnOtherDrive(reference, *chosen)) {
        Ui().Ask(QStringLiteral("指定されたファイルは別のドライブに存在します。"), CPlatformUi::Buttons::Ok,
                 CPlatformUi::Icon::Warning);
        return std::nullopt;
    }
    const QString relative = MakeRelativePath(reference, *chosen);
    // The page is CP932: a name that reads back changed would link to a file that does not exist.
    const QString changed = Cp932::ChangedByRoundTrip(relative);
    if (!changed.isEmpty() &&
        Ui().Ask(
            QStringLiteral("選択されたファイルの名前には、Shift-JIS では別の文字になる文字があります。\n%1\n"
                           "このまま書き込むと、存在しないファイルを指すことになります。書き込みますか？")
                .arg(changed),
            CPlatformUi::Buttons::YesNo, CPlatformUi::Icon::Warning, 2) != CPlatformUi::Answer::Yes)
        return std::nullopt;
    if (chosenPath)
        *chosenPath = *chosen;
    return relative;
}
