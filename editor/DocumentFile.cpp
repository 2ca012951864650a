#include "editor/DocumentFile.h"

namespace DocumentFile {

SafeFile::WriteResult Write(const QString& path, const CTextSnapshot& text) {
    return SafeFile::Write(
        path, [&text](const SafeFile::PieceSink& sink) { text.ForEachPiece(0, text.Size(), sink); });
}

} // namespace DocumentFile
