#pragma once

class CWeftpageView;

// Binds the view commands of the font, rule, paragraph, ordered list, comment, table,
// row and cell dialogs, and the bare table, row and cell commands.
void RegisterTagDialogCommands(CWeftpageView& view);
