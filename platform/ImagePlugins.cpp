#include "platform/ImagePlugins.h"

#include <QDir>
#include <QFileInfo>

CImagePlugins& CImagePlugins::Instance() {
    static CImagePlugins plugins;
    return plugins;
}

const char* CImagePlugins::FileName(Kind kind) {
    switch (kind) {
    case Gif:
        return "ifgif.spi";
    case Jpeg:
        return "ifjpeg.spi";
    case Png:
        return "ifpng.spi";
    case kKinds:
        break;
    }
    return "";
}

void CImagePlugins::Bind(const QString& folder) {
    for (Kind kind : {Gif, Jpeg, Png}) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(FileName(kind)));
        if (!QFileInfo::exists(path))
            continue;
        // The plug-ins carry their own name, not the system's library suffix.
        m_libraries[kind].setFileName(path);
        if (m_libraries[kind].load())
            m_entries[kind] = m_libraries[kind].resolve("GetPictureInfo");
    }
}

void CImagePlugins::Release() {
    for (Kind kind : {Png, Gif, Jpeg}) {
        m_entries[kind] = nullptr;
        if (m_libraries[kind].isLoaded())
            m_libraries[kind].unload();
    }
}
