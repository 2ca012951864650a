#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

// How an attribute of a tag dialog is edited and written.
enum class CAttributeForm {
    Number,          // field with arrows; name=N
    NumberOrPercent, // field with arrows and a "&%" box; name="N%" while the box is on, else name=N
    Text,            // free text field; name="text"
    Choice,          // list read by position; name="word"
    Bare,            // no value; the name alone
};

struct CNumberRange {
    int minimum = 0;
    int maximum = 0;
};

// The arrows of a width or height field reach 100 while "%" is on and 1000 while it is off.
inline constexpr CNumberRange kPercentRange{1, 100};
inline constexpr CNumberRange kPixelRange{1, 1000};

// One row of a tag dialog: the attribute button, its value control and what the first
// paint puts in place. The control identifiers are the dialog resource's.
struct CAttributeSpec {
    std::string name; // the attribute as written, lower case
    QString caption;  // the button's caption with its mnemonic
    CAttributeForm form = CAttributeForm::Bare;
    int buttonId = 0;
    int valueId = 0; // field or list
    int spinId = 0;
    int percentId = 0; // the "&%" box

    CNumberRange range{};              // the arrows' range of a Number row
    std::optional<CNumberRange> clamp; // a Number row's written value is pulled into this range
    std::vector<std::string> choices;  // list entries in the order they are appended
    int initialChoice = 0;
    int fallbackChoice = 0;    // the word written for any position without an entry of its own
    bool editableList = false; // a combo box with an edit field whose text is never used

    std::string initialText;
    bool initiallyOn = false;
    bool percentInitiallyOn = false;
};

// The word a list read by position gives: the entry at that position, or the entry at
// fallback for a position without one (none selected, beyond the list).
inline const std::string& ListWord(const std::vector<std::string>& words, int position, int fallback) {
    if (position >= 0 && static_cast<std::size_t>(position) < words.size())
        return words[static_cast<std::size_t>(position)];
    return words.at(static_cast<std::size_t>(fallback));
}

// A tag dialog: the tag, the window title, the rows in screen order and the order in
// which switched-on attributes are written.
struct CTagForm {
    std::string tag;
    QString title;
    std::vector<CAttributeSpec> rows;
    std::vector<std::string> writeOrder;
    // OK stays greyed until an attribute button has been switched on once.
    bool okNeedsAttribute = false;
};
