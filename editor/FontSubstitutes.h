#pragma once

// Lets the Windows Japanese face names that stored settings and pages use ("ＭＳ ゴシック"
// and its relatives) find the Japanese fonts this desktop has. The application calls it
// once at start-up, before any font is made.
void RegisterFontSubstitutes();
