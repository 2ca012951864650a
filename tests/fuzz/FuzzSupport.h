#pragma once

#include "tests/fuzz/FuzzCheck.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// For targets that read files or need Qt's GUI types: a headless application, a private
// folder on a memory file system, and a user interface that turns any message box or dialog
// into a finding (a parser must never need the user).
namespace FuzzSupport {

int Initialize(int* argc, char*** argv);
// Writes the input to name in the private folder and returns its path.
QString WriteInput(const char* name, const std::uint8_t* data, std::size_t size);

} // namespace FuzzSupport
