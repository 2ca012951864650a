#pragma once

// Makes the application's font take its kanji from a Japanese font where one is installed:
// the first installed Japanese family goes to the front of the font's family list. On a
// system whose font configuration prefers Chinese forms (a Chinese desktop, or a Noto CJK
// setup ranked for Chinese), menus, dialogs and message boxes would otherwise show Chinese
// glyph shapes for the same code points. Only Qt is used here, so the uninstaller compiles
// this file on its own. Call once, after the QApplication is made and before any window.
void PreferJapaneseGlyphs();
