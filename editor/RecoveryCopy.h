#pragma once

#include "editor/TextBuffer.h"

#include <QByteArray>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The copy of unsaved text that lets the next start give it back after a crash: one file
// per running editor in the per-user state folder, named after the instance that wrote it.
//
// File layout (all numbers decimal ASCII, every line ended by one LF):
//   "VuroRecovery 1"
//   "path <n>" then n bytes of the file's path as the file system spells it (0: unnamed), LF
//   "text <n>" then n bytes of the text exactly as edited, LF
//   "check <16 lower-case hex digits>": FNV-1a 64 of the path bytes followed by the text bytes
namespace RecoveryCopy {

// Who wrote a copy: the process id with the process's start time (clock ticks after boot,
// as /proc shows it) and the boot's id, so that a process id used again by another program,
// or after a restart, is not taken for the writer.
struct CInstanceId {
    std::string bootId; // 32 lower-case hex digits, no dashes
    std::int64_t pid = 0;
    std::uint64_t startTicks = 0;
    bool operator==(const CInstanceId&) const = default;
};

// The running process, or nullopt where /proc cannot tell.
std::optional<CInstanceId> CurrentInstance();

// "recovery-<pid>-<startTicks>-<bootId>"; InstanceOf reads such a name back.
std::string FileNameOf(const CInstanceId& id);
std::optional<CInstanceId> InstanceOf(std::string_view fileName);

// The 22nd field of /proc/<pid>/stat (the process's start time); the command name in
// parentheses may itself hold blanks and parentheses.
std::optional<std::uint64_t> StartTicksFromStat(std::string_view stat);
// The boot id as /proc/sys/kernel/random/boot_id writes it, dashes and line end removed.
std::optional<std::string> BootIdFrom(std::string_view text);

// Whether the instance is still running, given this boot's id and a look-up of a process's
// start time (nullopt when no such process exists).
using StartTicksLookup = std::function<std::optional<std::uint64_t>(std::int64_t pid)>;
bool IsInstanceAlive(const CInstanceId& id, std::string_view currentBootId,
                     const StartTicksLookup& startTicksOf);
// The same against this machine's /proc.
bool IsInstanceAlive(const CInstanceId& id);

struct CContent {
    QByteArray path;  // as the file system spells it; empty when the text was unnamed
    std::string text; // the exact bytes
};

// The whole file for a path and a text; Parse(Serialize(p, t)) gives p and t back.
std::string Serialize(const QByteArray& path, const CTextSnapshot& text);
// nullopt for anything that is not a complete, intact copy.
std::optional<CContent> Parse(std::string_view bytes);

// Writes the copy atomically: a temporary file in the folder, flushed to disk, renamed over
// fileName. Returns 0 or the errno of the failure (the old copy is then unchanged).
int Write(const QByteArray& folder, const std::string& fileName, const QByteArray& path,
          const CTextSnapshot& text);
// Reads and parses a copy; nullopt when missing, unreadable or damaged.
std::optional<CContent> Read(const QByteArray& file);

// A copy left behind by an instance that no longer runs.
struct CLeftover {
    QByteArray file; // full path of the copy
    CInstanceId writer;
    std::int64_t modifiedNs = 0;
};
// Copies in the folder whose writer is gone, newest first. isAlive decides about the
// writers (tests pass their own). Temporary files of gone writers (a write cut short) are
// deleted on the way.
std::vector<CLeftover> Leftovers(const QByteArray& folder,
                                 const std::function<bool(const CInstanceId&)>& isAlive);

} // namespace RecoveryCopy
