#pragma once

#include <QString>

#include <array>
#include <string>
#include <vector>

// A drop-down history of the last five values of a dialog field, index 0 the most recent,
// kept in the profile as keys prefix + "0" ... prefix + "4" of one section (CP932 text).
class CHistoryList {
public:
    static constexpr std::size_t kLength = 5;

    // Reads the five entries; missing values read as empty.
    CHistoryList(QString section, QString keyPrefix);

    // Puts text at index when the entry there is empty.
    void SetDefault(std::size_t index, std::string text);
    // The text goes to the front and an equal entry (exact comparison) further back is
    // dropped, so nothing appears twice; the oldest entry falls off the end. An empty
    // text changes nothing.
    void Push(const std::string& text);
    // Writes all five entries, empty ones as empty strings.
    void Save() const;

    const std::array<std::string, kLength>& Entries() const { return m_entries; }
    // The non-empty entries in list order, as a drop-down list shows them.
    std::vector<std::string> Filled() const;

private:
    QString Key(std::size_t index) const;

    QString m_section;
    QString m_prefix;
    std::array<std::string, kLength> m_entries;
};
