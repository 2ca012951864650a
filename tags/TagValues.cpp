#include "tags/TagValues.h"

#include "tags/OpeningTag.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <stdexcept>

CTagValues::CTagValues(const CTagForm& form) : m_form(&form) {
    m_entries.reserve(form.rows.size());
    for (const CAttributeSpec& row : form.rows) {
        CAttributeEntry entry;
        entry.on = row.initiallyOn;
        entry.text = row.initialText;
        entry.position = row.form == CAttributeForm::Choice ? row.initialChoice : -1;
        entry.percent = row.percentInitiallyOn;
        m_entries.push_back(std::move(entry));
    }
}

CAttributeEntry& CTagValues::operator[](std::string_view name) {
    for (std::size_t i = 0; i < m_form->rows.size(); ++i) {
        if (m_form->rows[i].name == name)
            return m_entries[i];
    }
    throw std::out_of_range("no attribute " + std::string(name) + " in <" + m_form->tag + ">");
}

const std::string& CTagValues::ChoiceWord(const CAttributeSpec& row, int position) {
    return ListWord(row.choices, position, row.fallbackChoice);
}

int CTagValues::NumberValue(const CAttributeSpec& row, std::string_view text) {
    const int value = LeadingInteger(text);
    return row.clamp ? std::clamp(value, row.clamp->minimum, row.clamp->maximum) : value;
}

std::string CTagValues::Tag() const {
    COpeningTag tag(m_form->tag);
    for (const std::string& name : m_form->writeOrder) {
        const auto found = std::find_if(m_form->rows.begin(), m_form->rows.end(),
                                        [&](const CAttributeSpec& r) { return r.name == name; });
        if (found == m_form->rows.end())
            continue;
        const CAttributeSpec& row = *found;
        const CAttributeEntry& entry = m_entries[static_cast<std::size_t>(found - m_form->rows.begin())];
        if (!entry.on)
            continue;
        switch (row.form) {
        case CAttributeForm::Number:
            tag.Number(row.name, NumberValue(row, entry.text));
            break;
        case CAttributeForm::NumberOrPercent:
            if (entry.percent)
                tag.Percent(row.name, NumberValue(row, entry.text));
            else
                tag.Number(row.name, NumberValue(row, entry.text));
            break;
        case CAttributeForm::Text:
            tag.Quoted(row.name, entry.text);
            break;
        case CAttributeForm::Choice:
            tag.Quoted(row.name, ChoiceWord(row, entry.position));
            break;
        case CAttributeForm::Bare:
            tag.Bare(row.name);
            break;
        }
    }
    return tag.Text();
}
