#pragma once

#include <string>
#include <vector>

// A menu as the resource describes it: pop-ups, commands with their captions (a TAB
// separates the key text) and separators.
struct CMenuItem {
    enum class Kind { Command, Separator, Popup };
    Kind kind = Kind::Separator;
    int id = 0;
    std::string caption;          // UTF-8
    std::vector<CMenuItem> items; // pop-ups only
};

// The main menu (resource 128). Its commands take their captions and key texts from the
// command table.
const std::vector<CMenuItem>& MainMenu();
// The editor view's right-button menu.
const std::vector<CMenuItem>& ViewContextMenu();
