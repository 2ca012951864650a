#pragma once

class CWeftpageView;

// Binds the view's commands of how the page is seen: HTML colouring, the marking of
// platform-dependent characters and line numbers (switches kept in the profile, applied
// here), the jump to the next platform-dependent character and their conversion to
// character references.
void RegisterPageLookCommands(CWeftpageView& view);
