#pragma once

#include <QFunctionPointer>
#include <QLibrary>
#include <QString>

// The three image-information plug-ins beside the program (ifgif.spi, ifjpeg.spi,
// ifpng.spi), bound silently at start-up: a missing plug-in leaves its entry empty.
class CImagePlugins {
public:
    enum Kind { Gif, Jpeg, Png, kKinds };

    static CImagePlugins& Instance();

    CImagePlugins() = default;
    ~CImagePlugins() { Release(); }
    CImagePlugins(const CImagePlugins&) = delete;
    CImagePlugins& operator=(const CImagePlugins&) = delete;

    // Loads the plug-ins from folder, GIF, JPEG, then PNG, each with its "GetPictureInfo".
    void Bind(const QString& folder);
    // Releases them in the order PNG, GIF, JPEG.
    void Release();

    bool IsLoaded(Kind kind) const { return m_libraries[kind].isLoaded(); }
    // The plug-in's GetPictureInfo entry, or null.
    QFunctionPointer GetPictureInfo(Kind kind) const { return m_entries[kind]; }

    static const char* FileName(Kind kind);

private:
    QLibrary m_libraries[kKinds];
    QFunctionPointer m_entries[kKinds] = {};
};
