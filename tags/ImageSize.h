#pragma once

#include <QString>

#include <optional>

struct CPictureSize {
    int width = 0;
    int height = 0;
};

// The size of a picture file, read by the image plug-in for its extension ("gif";
// "jpg" or "jpeg"; "png"; in any case); nullopt for other extensions, when that plug-in
// is not bound, or when it cannot read the file.
std::optional<CPictureSize> GetImageSize(const QString& path, const QString& extension);

// The extension of a file name: what follows the last "." of its name, empty without one.
QString FileExtension(const QString& path);
