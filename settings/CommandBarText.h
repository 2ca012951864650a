#pragma once

#include <QString>

#include <string_view>

class CFkeyTable;

// What the command bar's button for function key f shows while modifier m is held: the
// tool tip of a bound command or the bound text, cut to its first 10 bytes. A double-byte
// character the cut would split is left out whole.
QString CommandBarText(const CFkeyTable& table, int f, int m);

// The first 10 bytes of a CP932 caption, never ending in half a character.
QString CutCaption(std::string_view bytes);
