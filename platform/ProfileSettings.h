#pragma once

#include <QByteArray>

#include <optional>
#include <string>

// The values the settings sheet keeps in the profile, each read and written here only,
// with its section, key and default in one place. Strings are CP932 bytes.
namespace ProfileSettings {

// "Browser": the programs of the two browser previews ("IE" and "NN"), empty when unset.
enum class CBrowser { First, Second };
std::string BrowserPath(CBrowser browser);
void PutBrowserPath(CBrowser browser, const std::string& path);

// "ToolBar"/"Resource": 0 image buttons, anything else text buttons (the default, 1).
int ToolBarType();
void PutToolBarType(int type);

// "ToolBar"/the command id in decimal: 1 hidden, 0 shown; by default the buttons that are
// hidden until the user shows them.
int ButtonHidden(int commandId);
void PutButtonHidden(int commandId, int hidden);

// "Settings"/"TabStop": the editor's tab width in dialog units, four per column (default 32).
int TabStop();
void PutTabStop(int dialogUnits);

// "Settings"/"Font": the editor font's 60-byte record, or nullopt when absent.
std::optional<QByteArray> FontBlock();
void PutFontBlock(const QByteArray& block);

// "DateTimeFormat": the date style (1 to 3, anything else the user's "DateEx") and the time
// style (1 to 4, anything else the user's "TimeEx").
struct CDateTimeFormats {
    int date = 1;
    std::string dateEx;
    int time = 1;
    std::string timeEx;
};
CDateTimeFormats DateTimeFormats();
void PutDateTimeFormats(const CDateTimeFormats& formats);

// "View": the editor's display switches, 1 on and 0 off: "Colour" HTML colouring (default
// on), "MarkDependent" platform-dependent characters marked (default on), "LineNumbers" the
// line-number gutter (default off).
enum class CViewSwitch { Colour, MarkDependent, LineNumbers };
bool ViewSwitch(CViewSwitch which);
void PutViewSwitch(CViewSwitch which, bool on);

} // namespace ProfileSettings
