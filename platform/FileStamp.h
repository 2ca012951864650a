#pragma once

#include <QString>

#include <sys/types.h>

// What identifies a file's content on disk without reading it: which file it is (device
// and inode) and its size and modification time. Another program that saves the file,
// by rewriting it or by putting a new file in its place, changes at least one of them.
struct CFileStamp {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedNs = 0;

    // The stamp of the file path names (through symbolic links); exists is false when
    // there is none.
    static CFileStamp Of(const QString& path);

    bool operator==(const CFileStamp&) const = default;
};
