#pragma once

#include <string>
#include <string_view>

// An opening tag written attribute by attribute: "<name", each attribute with one blank
// in front of it, then ">". Values go in exactly as given: nothing is escaped or trimmed.
class COpeningTag {
public:
    explicit COpeningTag(std::string_view name);

    // name=N, a plain decimal number without quotes.
    COpeningTag& Number(std::string_view name, int value);
    // name="N%".
    COpeningTag& Percent(std::string_view name, int value);
    // name="value".
    COpeningTag& Quoted(std::string_view name, std::string_view value);
    // A bare attribute such as noshade.
    COpeningTag& Bare(std::string_view name);

    std::string Text() const { return m_text + '>'; }

private:
    std::string& Begin(std::string_view name);
    std::string m_text;
};
