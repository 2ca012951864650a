#pragma once

#include "editor/TextBuffer.h"

#include <QString>

#include <string>
#include <string_view>

// Reading and writing a document's bytes exactly as they are.
namespace DocumentFile {

struct ReadResult {
    bool ok = false;
    std::string bytes;
    QString error; // a sentence for the user when not ok
};
ReadResult Read(const QString& path);

struct WriteResult {
    bool ok = false;
    QString error;
};
// Writes the text to a temporary file beside path and then puts it in path's place, so a
// failed write (disk full, lost mount) leaves the old file as it was. The old file's
// permissions are kept; a symbolic link is written through to its target.
WriteResult WriteAtomically(const QString& path, const CTextSnapshot& text);
WriteResult WriteAtomically(const QString& path, std::string_view bytes);

// Why a file operation failed, in words for the user.
QString ReasonOf(int errorNumber);

} // namespace DocumentFile
