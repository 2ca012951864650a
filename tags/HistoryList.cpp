#include "tags/HistoryList.h"

#include "platform/Profile.h"

CHistoryList::CHistoryList(QString section, QString keyPrefix)
    : m_section(std::move(section)), m_prefix(std::move(keyPrefix)) {
    const CProfileBatch batch;
    for (std::size_t i = 0; i < kLength; ++i)
        m_entries[i] = Profile().GetString(m_section, Key(i), std::string());
}

QString CHistoryList::Key(std::size_t index) const {
    return m_prefix + QString::number(index);
}

void CHistoryList::SetDefault(std::size_t index, std::string text) {
    if (index < kLength && m_entries[index].empty())
        m_entries[index] = std::move(text);
}

void CHistoryList::Push(const std::string& text) {
    if (text.empty())
        return;
    std::array<std::string, kLength> next;
    next[0] = text;
    std::size_t n = 1;
    for (const std::string& old : m_entries) {
        if (n == kLength)
            break;
        if (old != text)
            next[n++] = old;
    }
    m_entries = std::move(next);
}

void CHistoryList::Save() const {
    const CProfileBatch batch;
    for (std::size_t i = 0; i < kLength; ++i)
        Profile().PutString(m_section, Key(i), m_entries[i]);
}

std::vector<std::string> CHistoryList::Filled() const {
    std::vector<std::string> filled;
    for (const std::string& entry : m_entries)
        if (!entry.empty())
            filled.push_back(entry);
    return filled;
}
