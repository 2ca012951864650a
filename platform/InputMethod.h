#pragma once

class QWidget;

// Switches the Japanese input method off for a field that takes numbers, colours, URLs,
// file names or anchor and frame names, so typing there gives plain ASCII at once.
void DetachInputMethod(QWidget* field);
