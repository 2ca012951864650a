#pragma once

class QApplication;

// A button's mnemonic (Alt+N for "&noshade") clicks the button at once. Qt animates the
// click and toggles a check box only 100 ms later, so an Enter typed right after the
// mnemonic would press OK before the attribute was switched on.
void InstallImmediateMnemonics(QApplication& app);
