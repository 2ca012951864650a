#pragma once

#include <QIcon>

// The picture of a main tool-bar button, drawn in code: a 16 by 16 pixmap and a 32 by 32 one
// for screens with a device pixel ratio of 2. With textType the tag buttons show their tag
// names; otherwise every button is a pictogram. Buttons that are not tags look the same in
// both types. An identifier without a button gives an empty icon.
QIcon ToolBarIcon(int commandId, bool textType);
