#include "tags/OpeningTag.h"

COpeningTag::COpeningTag(std::string_view name) : m_text("<") {
    m_text.append(name);
}

std::string& COpeningTag::Begin(std::string_view name) {
    m_text += ' ';
    m_text.append(name);
    return m_text;
}

COpeningTag& COpeningTag::Number(std::string_view name, int value) {
    Begin(name).append("=").append(std::to_string(value));
    return *this;
}

COpeningTag& COpeningTag::Percent(std::string_view name, int value) {
    Begin(name).append("=\"").append(std::to_string(value)).append("%\"");
    return *this;
}

COpeningTag& COpeningTag::Quoted(std::string_view name, std::string_view value) {
    Begin(name).append("=\"").append(value).append("\"");
    return *this;
}

COpeningTag& COpeningTag::Bare(std::string_view name) {
    Begin(name);
    return *this;
}
