#pragma once

#include "platform/ByteBuffer.h"
#include "platform/FileStamp.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <string_view>

// Reading and writing whole files byte for byte, so that a save never loses the old
// content and never reports a failure as success. Documents, vurofkey.dat, vuroskel.dat
// and the preview copy are all written here.
namespace SafeFile {

struct ReadResult {
    bool ok = false;
    std::string bytes;
    QString error; // a sentence for the user when not ok
};
ReadResult Read(const QString& path);

// The same into a buffer of its own, for documents, whose bytes become the text's storage.
struct BufferResult {
    bool ok = false;
    CByteBuffer bytes;
    QString error;
};
BufferResult ReadBuffer(const QString& path);

// How a file is saved.
enum class Strategy {
    // A new file beside the target, flushed, then renamed over it: the target holds the old
    // or the new bytes at every moment.
    Replace,
    // The old bytes are first copied to a backup, then the file itself is rewritten, so that
    // its inode, links, owner, group, mode and attributes stay. The backup goes beside the
    // file, or to the per-user state folder when the file's folder is not writable.
    InPlaceBackupBeside,
    InPlaceBackupInStateFolder,
    // Nothing is written (the reason is in CDecision::error).
    Refuse,
};

// What decides the strategy, as found on disk for the target (a symbolic link already
// followed to the file it names).
struct CTargetFacts {
    bool exists = false;
    bool regular = true;
    bool directory = false;
    bool folderWritable = true;
    int folderError = 0;          // why the folder is not writable
    bool singleLink = true;       // no other hard link to the same file
    bool ownerKeepable = true;    // the file is ours, or we may give a new file to its owner
    bool groupKeepable = true;    // its group is one of ours, or we may give away files
    bool extraAttributes = false; // ACLs or user attributes a new file would not carry
    bool readable = true;         // needed to back up the old bytes
    bool writable = true;         // needed to rewrite the file in place
};

// Refuse's reason when the old bytes cannot be read to back them up.
constexpr int kCannotBackUp = -1;

struct CDecision {
    Strategy strategy = Strategy::Refuse;
    int error = 0; // an errno value or kCannotBackUp, for Refuse
};
CDecision ChooseStrategy(const CTargetFacts& facts);

struct WriteResult {
    bool ok = false;
    QString error;
    Strategy used = Strategy::Refuse;
    CFileStamp stamp; // the saved file's, when ok
};

// Hands the bytes to write to sink, piece by piece.
using PieceSink = std::function<void(std::string_view)>;
using PieceSource = std::function<void(const PieceSink&)>;

// Saves the bytes at path in the safest way the target allows (see Strategy). A symbolic
// link stays a link and the file it names is written.
WriteResult Write(const QString& path, const PieceSource& pieces);
WriteResult Write(const QString& path, std::string_view bytes);

// The facts of the target that Write would save to.
CTargetFacts FactsOf(const QString& path);
// The file a path names after following every symbolic link (also a dangling one).
QString ResolveLinks(const QString& path);

// The backups beside the file (after following its links) that saves of it in place left
// behind: each holds the file's bytes from before a save that was cut off.
QStringList LeftBackups(const QString& path);

// True when an existing file may not be written by the user: for root, a file without any
// write bit (root could write it, but its owner marked it read-only); for everybody else,
// what the system's permission check says.
bool IsReadOnlyForUser(const QString& path);

// Why a file operation failed, in words for the user.
QString ReasonOf(int errorNumber);

// Test seam: called at each step of a write with the step's name ("backup", "write",
// "restore", "rename"); a non-zero errno makes that step fail.
void SetFailPointForTest(std::function<int(const char* step)> failPoint);

} // namespace SafeFile
