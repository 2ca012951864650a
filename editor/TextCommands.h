#pragma once

class CWeftpageView;

// Binds the view's text commands: <br> at line ends, character references, the jumps to
// the next ">" and the previous "<", editing the selected file, and date and time.
void RegisterTextCommands(CWeftpageView& view);
