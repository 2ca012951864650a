#pragma once

#include "editor/DocumentFile.h"

#include <QString>

#include <sys/types.h>

// The preview copy of the document ("~name.html" beside it). Only a copy this program
// wrote is ever deleted: a file the user keeps under that name is left alone.
class CPreviewCopy {
public:
    SafeFile::WriteResult Write(const QString& path, const CTextSnapshot& text);
    // Deletes the file at path if it is the copy written last and nobody changed it since.
    void Remove(const QString& path);
    bool IsOurs(const QString& path) const;

private:
    QString m_path;
    dev_t m_device = 0;
    ino_t m_inode = 0;
    off_t m_size = -1;
    long long m_modifiedNs = 0;
};
