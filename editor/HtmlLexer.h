#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A lexer for HTML over CP932 bytes, with no window: bytes and a state in, one style per
// byte and the state after them out. The state is small and comparable, so a caller can
// keep it at line starts and stop re-lexing after an edit once it comes out as before.
// Every byte that steers the lexer ('<', '>', '&', quotes, '=', '/', '!', '-', blanks) lies
// below 0x40 and so is never the trail byte of a double-byte character: lexing can start
// at any byte, and both bytes of a character always get the same style.
namespace HtmlLexer {

enum class Style : std::uint8_t {
    Text,
    Tag, // brackets, tag names, '/', '=' and the blanks inside a tag
    AttributeName,
    AttributeValue, // quotes included
    Comment,
    Reference, // "&amp;", "&#160;", "&#xA0;"
    Doctype,   // "<!DOCTYPE ...>" and other "<!...>" and "<?...>" declarations
    Script,    // the contents of <script>
    StyleSheet // the contents of <style>
};
constexpr int kStyleCount = 9;

enum class Mode : std::uint8_t {
    Text,
    TagOpen,    // after '<'
    EndTagOpen, // after "</"
    TagName,
    InTag, // between attributes
    AttributeName,
    AfterAttributeName,
    BeforeValue, // after '='
    QuotedValue,
    UnquotedValue,
    MarkupOpen, // after "<!"
    Comment,
    Declaration,
    RawText, // script or style contents
    Reference
};

enum class Raw : std::uint8_t { None, Script, Style };

struct State {
    Mode mode = Mode::Text;
    // The element whose contents are raw text: the tag being read names it, or RawText
    // lexes them.
    Raw raw = Raw::None;
    bool endTag = false;
    char quote = 0; // of a quoted value
    // Characters matched so far: of "script" or "style" in a tag name, of "</script" or
    // "</style" in raw text, of '-' in "<!-" and of the dashes before a comment's '>'; in a
    // reference, its length.
    std::uint8_t matched = 0;
    Mode returnMode = Mode::Text; // where a reference goes back to

    bool operator==(const State&) const = default;
};

// Lexes bytes from state and returns the state after them. styles, when given, receives
// one style per byte. A style can change after its byte has been written only inside the
// same call (a '<' that turns out to start a comment), so callers lex from a kept state up
// to the end of what they show, in one call.
State Lex(std::string_view bytes, State state, Style* styles = nullptr);

} // namespace HtmlLexer
