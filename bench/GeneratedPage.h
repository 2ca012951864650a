#pragma once

#include <cstddef>
#include <string>

// A CP932 HTML page of about size bytes: Japanese prose (with some platform-dependent
// characters and half-width katakana) and markup in the proportions of a hand-written page.
std::string GenerateHtml(std::size_t size);
