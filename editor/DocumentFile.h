#pragma once

#include "editor/TextBuffer.h"
#include "platform/SafeFileWriter.h"

#include <QString>

// Writing the editor's text, piece by piece without joining it, through the safe writer.
namespace DocumentFile {

SafeFile::WriteResult Write(const QString& path, const CTextSnapshot& text);

} // namespace DocumentFile
