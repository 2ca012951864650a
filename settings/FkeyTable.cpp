#include "settings/FkeyTable.h"

#include "platform/FileStamp.h"
#include "platform/PlatformUi.h"
#include "platform/SafeFileWriter.h"

#include <algorithm>
#include <cstring>

namespace {

void PutInt(std::string& out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

std::int32_t GetInt(const char* bytes) {
    std::uint32_t u = 0;
    for (int i = 3; i >= 0; --i)
        u = (u << 8) | static_cast<unsigned char>(bytes[i]);
    return static_cast<std::int32_t>(u);
}

// The text field up to its first NUL (all of it when there is none), trailing white space
// removed. White space never is the second byte of a double-byte character.
std::string TextOf(const char* field, std::size_t size) {
    const void* nul = std::memchr(field, '\0', size);
    std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : size;
    while (length > 0 && std::strchr(" \t\n\v\f\r", field[length - 1]) != nullptr)
        --length;
    return std::string(field, length);
}

} // namespace

CFkeyTable::CFkeyTable() {
    for (int i = 0; i < kRecords; ++i)
        m_records[static_cast<std::size_t>(i)].key = i + 4;
}

CFkeyTable::~CFkeyTable() {
    Save();
}

void CFkeyTable::Load(const QString& path) {
    m_path = path;
    m_keepFile = false;
    const SafeFile::ReadResult read = SafeFile::Read(path);
    if (!read.ok) {
        // A file that is there but cannot be read still holds the user's bindings: it is
        // never replaced by this session's table.
        if (CFileStamp::Of(path).exists) {
            m_keepFile = true;
            Ui().Ask(QStringLiteral("ファンクションキーの設定ファイルを読み込めません。\n%1\n"
                                    "このファイルは書き換えずに残します。今回変更したファンクションキーの"
                                    "設定は保存されません。")
                         .arg(read.error),
                     CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        }
        return;
    }
    const std::string& bytes = read.bytes;
    std::size_t at = 0;
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        // A record whose numbers are cut short is not taken, nor anything after it.
        if (bytes.size() - at < 12)
            return;
        const char* header = bytes.data() + at;
        m_records[i] = {GetInt(header), GetInt(header + 4), GetInt(header + 8)};
        at += 12;
        const std::size_t n = std::min<std::size_t>(kTextSize, bytes.size() - at);
        if (n == 0)
            return;
        m_texts[i] = TextOf(bytes.data() + at, n);
        at += n;
    }
}

std::string CFkeyTable::Serialize() const {
    std::string out;
    out.reserve(kFileSize);
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        PutInt(out, m_records[i].key);
        PutInt(out, m_records[i].kind);
        PutInt(out, m_records[i].value);
        const std::string& text = m_texts[i];
        const std::size_t length = std::min<std::size_t>(text.size(), kTextSize);
        out.append(text, 0, length);
        out.append(kTextSize - length, '\0');
    }
    return out;
}

bool CFkeyTable::Save() const {
    if (m_path.isEmpty() || m_keepFile)
        return true;
    if (SafeFile::Write(m_path, Serialize()).ok)
        return true;
    Ui().Ask(QStringLiteral("ファンクションキーの設定が書き込めません。"), CPlatformUi::Buttons::Ok,
             CPlatformUi::Icon::Stop);
    return false;
}

std::optional<CFkeyTable::CFound> CFkeyTable::Find(int keyCode) const {
    for (const CRecord& r : m_records)
        if (r.key == keyCode)
            return CFound{r.kind, r.value};
    return std::nullopt;
}

const std::string& CFkeyTable::GetText(int index) const {
    static const std::string kEmpty;
    if (index < 0 || index >= kRecords)
        return kEmpty;
    return m_texts[static_cast<std::size_t>(index)];
}

bool CFkeyTable::Assign(int keyCode, int kind, int value, const std::string& text) {
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (m_records[i].key != keyCode)
            continue;
        m_records[i].kind = kind;
        m_records[i].value = kind == kText ? static_cast<std::int32_t>(i) : value;
        m_texts[i] = text;
        return true;
    }
    return false;
}
