#pragma once

#include <QString>

// The per-user state folder, $XDG_STATE_HOME/Brellmoor/Vuro (~/.local/state/Brellmoor/Vuro
// when the variable is unset or not absolute): backups of files being saved in place and
// recovery copies. Made on first use, readable by the user alone. Empty when it cannot be
// made.
QString StateFolder();
