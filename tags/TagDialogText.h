#pragma once

#include "tags/TagForm.h"

#include <string>
#include <string_view>

// The tag dialogs' rows, defaults and write orders, and the comment text.
const CTagForm& FontTagForm();
const CTagForm& RuleTagForm();
const CTagForm& ParagraphTagForm();
const CTagForm& OrderedListTagForm();
const CTagForm& TableTagForm();
const CTagForm& RowTagForm();
const CTagForm& CellTagForm();

// "<!-- ", the typed text with every line break written as CR LF, " -->".
std::string CommentText(std::string_view typed);
