#pragma once

class CSettingsFrame;

// Binds command 32797: the settings sheet, whose OK writes every setting to the profile
// and applies it to the running editor at once.
void RegisterSettingsCommand(CSettingsFrame& frame);

// Shows the sheet and, on OK, stores and applies its settings.
void RunSettingsSheet(CSettingsFrame& frame);
