#pragma once

class CWeftpageView;

// Binds the view's plain tag commands and the link and image dialog commands.
void RegisterTagCommands(CWeftpageView& view);
