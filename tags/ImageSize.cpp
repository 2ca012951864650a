#include "tags/ImageSize.h"

#include "platform/ImagePlugins.h"
#include "plugins/PictureInfo.h"

#include <QFile>
#include <QFileInfo>

std::optional<CPictureSize> GetImageSize(const QString& path, const QString& extension) {
    const QString ext = extension.toLower();
    CImagePlugins::Kind kind;
    if (ext == QStringLiteral("gif"))
        kind = CImagePlugins::Gif;
    else if (ext == QStringLiteral("jpeg") || ext == QStringLiteral("jpg"))
        kind = CImagePlugins::Jpeg;
    else if (ext == QStringLiteral("png"))
        kind = CImagePlugins::Png;
    else
        return std::nullopt;
    const auto entry =
        reinterpret_cast<VuroGetPictureInfoEntry>(CImagePlugins::Instance().GetPictureInfo(kind));
    if (entry == nullptr)
        return std::nullopt;
    // The plug-in gets a copy of its own; the name in the file system's encoding.
    QByteArray source = QFile::encodeName(path);
    VuroPictureInfo info{};
    if (entry(source.data(), 0, kPictureFromFile, &info) != kPictureOk)
        return std::nullopt;
    return CPictureSize{info.width, info.height};
}

QString FileExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.mid(dot + 1);
}
