#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The assignments of the function keys F1 to F12 with a modifier (1 Shift, 2 Ctrl,
// 3 Alt; 0 is kept but never used): a menu command, or a text inserted at the caret with
// "%1" for the selection. Key code of F with modifier m: F * 4 + m, so record i belongs to
// key code i + 4. Stored in vurofkey.dat as 48 blocks of 267 bytes: key, kind and value as
// 32-bit little-endian integers, then the CP932 text in 255 bytes padded with NULs.
class CFkeyTable {
public:
    static constexpr int kRecords = 48;
    static constexpr int kTextSize = 255;
    static constexpr int kBlockSize = 12 + kTextSize;
    static constexpr int kFileSize = kRecords * kBlockSize;

    enum Kind : std::int32_t { kNone = 0, kCommand = 1, kText = 2 };

    struct CRecord {
        std::int32_t key = 0;
        std::int32_t kind = kNone;
        std::int32_t value = 0; // the command id, or for a text the position of its text
    };

    struct CFound {
        std::int32_t kind = kNone;
        std::int32_t value = 0;
    };

    static constexpr int KeyCode(int f, int m) { return f * 4 + m; }

    CFkeyTable();
    // Writes the file it was loaded from.
    ~CFkeyTable();
    CFkeyTable(const CFkeyTable&) = delete;
    CFkeyTable& operator=(const CFkeyTable&) = delete;

    // Fills the table from the file, as far as it can be read, and remembers the path
    // for Save. A file that exists but cannot be read is told to the user and kept: Save
    // then leaves it alone.
    void Load(const QString& path);
    // Writes every record to the remembered path (nothing before Load); the user is told
    // when it cannot be written, and an existing file is then left as it was.
    bool Save() const;

    // The first record whose key is keyCode.
    std::optional<CFound> Find(int keyCode) const;
    // The text at position index; empty for a position outside the table.
    const std::string& GetText(int index) const;
    // Binds keyCode (a text binding refers to its own record's text) and stores text with
    // it; false when no record has that key.
    bool Assign(int keyCode, int kind, int value, const std::string& text);

    const CRecord& Record(int index) const { return m_records[static_cast<std::size_t>(index)]; }
    const QString& FilePath() const { return m_path; }

    // The file's bytes for the current table, always kFileSize long.
    std::string Serialize() const;

private:
    std::array<CRecord, kRecords> m_records;
    std::array<std::string, kRecords> m_texts;
    QString m_path;
    bool m_keepFile = false;
};
