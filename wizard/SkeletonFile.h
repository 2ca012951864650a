#pragma once

#include "wizard/SkelItem.h"

#include <QString>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// vuroskel.dat, the skeleton store: 8-bit text records, each a title line, a comment
// line, the source lines and a separator line "&&&&&", every line ending with CR LF.
inline constexpr std::string_view kSkeletonSeparator = "&&&&&";

// The lines of a text as the store and the import read them: a line ends at LF, and
// neither the LF nor a CR right before it belongs to it; a last line without LF counts
// when it is not empty.
std::vector<std::string_view> SplitTextLines(std::string_view bytes);

struct CSkelParse {
    // The records read, empty titles left out, sorted by title byte by byte.
    CSkelList items;
    // Something with content was not read: records after the 50th, or a last record
    // without its separator line. Writing the list back would lose it.
    bool leftOut = false;
};
CSkelParse ParseSkeletonText(std::string_view bytes);

// The bytes of the file for a list, items in list order. A source that does not end
// with a line end gets CR LF, so that the separator stands on a line of its own and a
// loaded source is written back unchanged.
std::string FormatSkeletonText(const CSkelList& list);

// True when the item holds a line that the store would read as a separator (a title,
// comment or source line that is exactly "&&&&&"), so that writing it would split it.
bool HasSeparatorLine(const CSkelItem& item);

// A title or comment is one line of the store: a line break inside it would shift every
// later field, so it becomes a blank.
std::string OneLine(std::string text);

// A page imported as a skeleton: its file name as title, its full path as comment (each
// one line, in CP932 with references for characters CP932 lacks), its lines as source,
// each ended by CR LF. Without an item, problem says why for the user: the file could not
// be read, or a line of it would read as a separator.
struct CSkelImport {
    std::optional<CSkelItem> item;
    QString problem;
};
CSkelImport ImportSkeleton(const QString& path);

// Where vuroskel.dat is written, and where a file that had to be replaced without
// being read is kept.
QString SkeletonFilePath();
QString SkeletonBackupPath();

struct CSkelLoadReport {
    bool opened = false;
    bool leftOut = false;
};
// Fills the list from vuroskel.dat. A file that cannot be opened or read is told to the
// user and gives an empty list. Before the user's own file exists, the copy shipped
// beside the program is read.
CSkelLoadReport LoadSkeletonFile(CSkelList& list);

// Writes the list to vuroskel.dat through a temporary file, so that a failed write keeps
// the old file whole; a failure is told to the user and gives false. With keepOldFile
// the file being replaced is first moved to SkeletonBackupPath() (the user is told), for
// when it held skeletons the list does not.
bool SaveSkeletonFile(const CSkelList& list, bool keepOldFile = false);
