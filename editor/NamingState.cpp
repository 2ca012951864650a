#include "editor/NamingState.h"

#include "platform/FileName.h"
#include "resources/CommandTable.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString NameWithExtension(const QString& title, const QString& extension) {
    return extension.isEmpty() ? title : title + QLatin1Char('.') + extension;
}

} // namespace

CNamingState CNamingState::Unnamed() {
    return {QString(), Str::kUntitled, QStringLiteral("html"), QString()};
}

CNamingState CNamingState::FromPath(const QString& path) {
    CNamingState n;
    n.filePath = path;
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    n.fileTitle = dot < 0 ? name : name.left(dot);
    n.fileExtension = dot < 0 ? QString() : name.mid(dot + 1);
    n.previewCopyPath =
        QDir(info.path()).filePath(QLatin1Char('~') + NameWithExtension(n.fileTitle, n.fileExtension));
    return n;
}

QString CNamingState::FileName() const {
    return NameWithExtension(fileTitle, fileExtension);
}

QString CNamingState::OpenedCaption() const {
    return (filePath.isEmpty() ? fileTitle : FileName::ForDisplay(filePath)) + QStringLiteral(" - ") +
           Str::kAppTitle;
}

QString CNamingState::SavedCaption() const {
    return FileName::ForDisplay(filePath) + QLatin1Char('-') + Str::kAppTitle;
}
