#pragma once

#include "tags/TagForm.h"

#include <string>
#include <string_view>
#include <vector>

// What the user set for one attribute row when OK was pressed.
struct CAttributeEntry {
    bool on = false;
    std::string text;  // the field's text as CP932 bytes
    int position = -1; // the selected list position, -1 for none
    bool percent = false;
};

// The values of a tag dialog, row by row, and the opening tag they give.
class CTagValues {
public:
    // The state the dialog's first paint puts in place.
    explicit CTagValues(const CTagForm& form);

    const CTagForm& Form() const { return *m_form; }
    CAttributeEntry& operator[](std::string_view name);
    CAttributeEntry& At(std::size_t row) { return m_entries[row]; }

    // "<tag", the switched-on attributes in the form's write order, ">".
    std::string Tag() const;

    // The word written for a list position: the entry at that position, or the row's
    // fallback word for a position without an entry (none selected, beyond the list).
    static const std::string& ChoiceWord(const CAttributeSpec& row, int position);
    // The number written for a field's text: its leading integer, pulled into the row's
    // clamp range when it has one.
    static int NumberValue(const CAttributeSpec& row, std::string_view text);

private:
    const CTagForm* m_form;
    std::vector<CAttributeEntry> m_entries;
};
