#pragma once

#include <QIcon>

// The editor's icon (window and About box) and the uninstaller's, drawn in code at 16, 32
// and 48 pixels. Only Qt is used here, so the uninstaller can compile this file on its own.
QIcon ProgramIcon();
QIcon UninstallIcon();
