#pragma once

#include <QString>

// The uninstaller's string table. The product it names (102) and the settings it deletes
// (105) live only here, so the same program serves another product by changing two strings.
// An identifier not in the table gives an empty text.
QString UninstallString(int id);

namespace UninstallId {
constexpr int kAboutItem = 101;
constexpr int kProductName = 102;
constexpr int kExplanationEnd = 103;
constexpr int kExplanationStart = 104;
constexpr int kProfileKey = 105;
} // namespace UninstallId
