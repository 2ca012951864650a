#pragma once

class CWeftpageView;

// Binds the preview commands: the preview copy of the text opened by the desktop's
// handler for its type, or by one of the two browsers set in the settings.
void RegisterPreviewCommands(CWeftpageView& view);
