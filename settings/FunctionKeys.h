#pragma once

#include <Qt>

class CSettingsFrame;

// The main frame's function keys and command bar: the dialog that binds them (32816), the
// Shift, Ctrl and Alt function-key accelerators (32819 to 32854) and the command bar's
// twelve buttons (1226 to 1237).
void RegisterFunctionKeyCommands(CSettingsFrame& frame);

// Runs the binding of function key f (1 to 12) with modifier m (1 Shift, 2 Ctrl, 3 Alt):
// a command goes through the frame's router as if its menu item had been chosen, a text
// is inserted into the view with "%1" standing for the selection.
void RunFunctionKey(CSettingsFrame& frame, int f, int m);

// 1 while Shift is held, else 2 for Ctrl, else 3 for Alt, else defaultModifier.
int GetHeldModifier(int defaultModifier);
int HeldModifierCode(Qt::KeyboardModifiers held, int defaultModifier);

// Puts the bindings of the held modifier (Alt when none is held) on the command bar's
// buttons, while the bar is visible; run on every tick of the frame's timer with the
// modifiers it last knew held, or with those held now.
void RefreshCommandBarCaptions(CSettingsFrame& frame, Qt::KeyboardModifiers held);
void RefreshCommandBarCaptions(CSettingsFrame& frame);
