#pragma once

#include <QKeySequence>

#include <vector>

struct CAccelerator {
    QKeyCombination key;
    int id;
};

// Accelerator table 128, derived from the command table: every key with its command, the
// function keys with Shift, Ctrl or Alt included. Enter and the keypad's Enter are listed
// alike.
const std::vector<CAccelerator>& Accelerators();

// The accelerator command of function key F (1..12) with modifier m (1 Shift, 2 Ctrl,
// 3 Alt), and back; FunctionKeyOf returns {0, 0} for other commands.
int FunctionKeyCommand(int f, int m);
struct CFunctionKey {
    int f = 0;
    int m = 0;
};
CFunctionKey FunctionKeyOf(int id);
