#include "editor/HtmlLexer.h"

#include <algorithm>

namespace HtmlLexer {
namespace {

bool IsBlank(unsigned char b) {
    return b == ' ' || b == '\t' || b == '\n' || b == '\r' || b == '\f';
}
bool IsLetter(unsigned char b) {
    return (b | 0x20) >= 'a' && (b | 0x20) <= 'z';
}
bool IsDigit(unsigned char b) {
    return b >= '0' && b <= '9';
}
unsigned char Lower(unsigned char b) {
    return IsLetter(b) ? static_cast<unsigned char>(b | 0x20) : b;
}

std::string_view NameOf(Raw raw) {
    return raw == Raw::Script ? "script" : raw == Raw::Style ? "style" : "";
}

Style RawStyle(Raw raw) {
    return raw == Raw::Style ? Style::StyleSheet : Style::Script;
}

// The style of a byte read in mode (for a byte that turns out not to start what it seemed to).
Style StyleOf(Mode mode, Raw raw) {
    switch (mode) {
    case Mode::Text:
        return Style::Text;
    case Mode::AttributeName:
    case Mode::AfterAttributeName:
        return Style::AttributeName;
    case Mode::QuotedValue:
    case Mode::UnquotedValue:
        return Style::AttributeValue;
    case Mode::Comment:
        return Style::Comment;
    case Mode::MarkupOpen:
    case Mode::Declaration:
        return Style::Doctype;
    case Mode::RawText:
        return RawStyle(raw);
    case Mode::Reference:
        return Style::Reference;
    default:
        return Style::Tag;
    }
}

// Follows a tag name character by character, remembering whether it may still be "script"
// or "style", the two elements whose contents are not markup.
void NameChar(State& s, unsigned char b) {
    if (s.endTag)
        return;
    const unsigned char c = Lower(b);
    if (s.matched == 0) {
        s.raw = c == 's' ? Raw::Script : Raw::None;
    } else if (s.raw != Raw::None) {
        if (s.raw == Raw::Script && s.matched == 1 && c == 't')
            s.raw = Raw::Style;
        const std::string_view name = NameOf(s.raw);
        if (s.matched >= name.size() || static_cast<unsigned char>(name[s.matched]) != c)
            s.raw = Raw::None;
    }
    if (s.raw != Raw::None)
        ++s.matched;
}

void EndName(State& s) {
    if (s.endTag || s.matched != NameOf(s.raw).size())
        s.raw = Raw::None;
    s.matched = 0;
}

} // namespace

State Lex(std::string_view bytes, State state, Style* styles) {
    State s = state;
    const std::size_t n = bytes.size();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    auto put = [styles](std::size_t i, Style style) {
        if (styles)
            styles[i] = style;
    };
    auto fill = [styles](std::size_t from, std::size_t to, Style style) {
        if (styles)
            std::fill(styles + from, styles + to, style);
    };
    // Gives the count bytes before i (as far as this call wrote them) another style.
    auto restyle = [styles](std::size_t i, std::size_t count, Style style) {
        if (styles)
            std::fill(styles + (i >= count ? i - count : 0), styles + i, style);
    };
    // Ends a tag with the '>' at i.
    auto close = [&](std::size_t i) {
        put(i, Style::Tag);
        const bool raw = !s.endTag && s.raw != Raw::None;
        const Raw which = s.raw;
        s = State{};
        if (raw) {
            s.mode = Mode::RawText;
            s.raw = which;
        }
    };

    std::size_t i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        switch (s.mode) {
        case Mode::Text: {
            std::size_t j = i;
            while (j < n && p[j] != '<' && p[j] != '&')
                ++j;
            fill(i, j, Style::Text);
            i = j;
            if (i == n)
                break;
            if (p[i] == '<') {
                s.mode = Mode::TagOpen;
                put(i, Style::Tag);
            } else {
                s.mode = Mode::Reference;
                s.returnMode = Mode::Text;
                s.matched = 0;
                put(i, Style::Reference);
            }
            ++i;
            break;
        }
        case Mode::TagOpen:
            if (IsLetter(b)) {
                s.mode = Mode::TagName;
                s.endTag = false;
                s.matched = 0;
                NameChar(s, b);
                put(i++, Style::Tag);
            } else if (b == '/') {
                s.mode = Mode::EndTagOpen;
                put(i++, Style::Tag);
            } else if (b == '!') {
                s.mode = Mode::MarkupOpen;
                s.matched = 0;
                restyle(i, 1, Style::Doctype);
                put(i++, Style::Doctype);
            } else if (b == '?') {
                s.mode = Mode::Declaration;
                restyle(i, 1, Style::Doctype);
                put(i++, Style::Doctype);
            } else {
                // A '<' that starts nothing ("a < b") is text.
                restyle(i, 1, Style::Text);
                s = State{};
            }
            break;
        case Mode::EndTagOpen:
            if (IsLetter(b)) {
                s.mode = Mode::TagName;
                s.endTag = true;
                s.raw = Raw::None;
                s.matched = 0;
                put(i++, Style::Tag);
            } else if (b == '>') {
                close(i++);
            } else {
                restyle(i, 2, Style::Text);
                s = State{};
            }
            break;
        case Mode::TagName:
            if (IsBlank(b) || b == '/') {
                EndName(s);
                s.mode = Mode::InTag;
                put(i++, Style::Tag);
            } else if (b == '>') {
                EndName(s);
                close(i++);
            } else {
                NameChar(s, b);
                put(i++, Style::Tag);
            }
            break;
        case Mode::InTag:
        case Mode::AfterAttributeName:
            if (IsBlank(b) || b == '/') {
                if (b == '/')
                    s.mode = Mode::InTag;
                put(i++, Style::Tag);
            } else if (b == '>') {
                close(i++);
            } else if (b == '=') {
                s.mode = Mode::BeforeValue;
                put(i++, Style::Tag);
            } else {
                s.mode = Mode::AttributeName;
                put(i++, Style::AttributeName);
            }
            break;
        case Mode::AttributeName:
            if (IsBlank(b)) {
                s.mode = Mode::AfterAttributeName;
                put(i++, Style::Tag);
            } else if (b == '/') {
                s.mode = Mode::InTag;
                put(i++, Style::Tag);
            } else if (b == '=') {
                s.mode = Mode::BeforeValue;
                put(i++, Style::Tag);
            } else if (b == '>') {
                close(i++);
            } else {
                put(i++, Style::AttributeName);
            }
            break;
        case Mode::BeforeValue:
            if (IsBlank(b)) {
                put(i++, Style::Tag);
            } else if (b == '"' || b == '\'') {
                s.mode = Mode::QuotedValue;
                s.quote = static_cast<char>(b);
                put(i++, Style::AttributeValue);
            } else if (b == '>') {
                close(i++);
            } else {
                s.mode = Mode::UnquotedValue;
            }
            break;
        case Mode::QuotedValue: {
            // Anything up to the closing quote is the value, '<' and '>' included.
            std::size_t j = i;
            while (j < n && p[j] != static_cast<unsigned char>(s.quote) && p[j] != '&')
                ++j;
            fill(i, j, Style::AttributeValue);
            i = j;
            if (i == n)
                break;
            if (p[i] == '&') {
                s.mode = Mode::Reference;
                s.returnMode = Mode::QuotedValue;
                s.matched = 0;
                put(i++, Style::Reference);
            } else {
                s.mode = Mode::InTag;
                s.quote = 0;
                put(i++, Style::AttributeValue);
            }
            break;
        }
        case Mode::UnquotedValue:
            if (IsBlank(b)) {
                s.mode = Mode::InTag;
                put(i++, Style::Tag);
            } else if (b == '>') {
                close(i++);
            } else if (b == '&') {
                s.mode = Mode::Reference;
                s.returnMode = Mode::UnquotedValue;
                s.matched = 0;
                put(i++, Style::Reference);
            } else {
                put(i++, Style::AttributeValue);
            }
            break;
        case Mode::MarkupOpen:
            if (b == '-' && s.matched == 0) {
                s.matched = 1;
                put(i++, Style::Doctype);
            } else if (b == '-') {
                s.mode = Mode::Comment;
                s.matched = 0;
                restyle(i, 3, Style::Comment);
                put(i++, Style::Comment);
            } else {
                s.mode = Mode::Declaration;
                s.matched = 0;
            }
            break;
        case Mode::Comment: {
            std::size_t j = i;
            while (j < n && p[j] != '-' && p[j] != '>')
                ++j;
            if (j > i)
                s.matched = 0;
            fill(i, j, Style::Comment);
            i = j;
            if (i == n)
                break;
            put(i, Style::Comment);
            if (p[i] == '-') {
                s.matched = static_cast<std::uint8_t>(std::min(2, s.matched + 1));
            } else if (s.matched >= 2) {
                s = State{};
            } else {
                s.matched = 0;
            }
            ++i;
            break;
        }
        case Mode::Declaration: {
            std::size_t j = i;
            while (j < n && p[j] != '>')
                ++j;
            fill(i, std::min(n, j + 1), Style::Doctype);
            i = j;
            if (i < n) {
                s = State{};
                ++i;
            }
            break;
        }
        case Mode::RawText: {
            const Style style = RawStyle(s.raw);
            const std::string_view name = NameOf(s.raw);
            if (s.matched == 0) {
                std::size_t j = i;
                while (j < n && p[j] != '<')
                    ++j;
                fill(i, j, style);
                i = j;
                if (i < n) {
                    s.matched = 1;
                    put(i++, style);
                }
            } else if (s.matched == 1) {
                s.matched = b == '/' ? 2 : b == '<' ? 1 : 0;
                put(i++, style);
            } else if (s.matched < 2 + name.size()) {
                const bool next = Lower(b) == static_cast<unsigned char>(name[s.matched - 2]);
                s.matched = next ? s.matched + 1 : b == '<' ? 1 : 0;
                put(i++, style);
            } else if (IsBlank(b) || b == '/' || b == '>') {
                // "</script" ends the contents only as a whole word, whatever comes before it.
                restyle(i, s.matched, Style::Tag);
                s = State{};
                s.mode = Mode::TagName;
                s.endTag = true;
            } else {
                s.matched = b == '<' ? 1 : 0;
                put(i++, style);
            }
            break;
        }
        case Mode::Reference:
            if ((s.matched == 0 && b == '#') || IsLetter(b) || IsDigit(b)) {
                if (s.matched < 255)
                    ++s.matched;
                put(i++, Style::Reference);
            } else {
                const bool complete = b == ';' && s.matched > 0;
                if (complete)
                    put(i++, Style::Reference);
                else if (s.matched == 0)
                    restyle(i, 1, StyleOf(s.returnMode, s.raw));
                s.mode = s.returnMode;
                s.returnMode = Mode::Text;
                s.matched = 0;
            }
            break;
        }
    }
    return s;
}

} // namespace HtmlLexer
