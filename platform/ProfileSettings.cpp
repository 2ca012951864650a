#include "platform/ProfileSettings.h"

#include "platform/Profile.h"
#include "resources/ToolBarTable.h"

#include <QString>

namespace ProfileSettings {
namespace {

const QString kBrowser = QStringLiteral("Browser");
const QString kToolBar = QStringLiteral("ToolBar");
const QString kSettings = QStringLiteral("Settings");
const QString kDateTime = QStringLiteral("DateTimeFormat");

QString BrowserKey(CBrowser browser) {
    return browser == CBrowser::First ? QStringLiteral("IE") : QStringLiteral("NN");
}

} // namespace

std::string BrowserPath(CBrowser browser) {
    return Profile().GetString(kBrowser, BrowserKey(browser), {});
}
void PutBrowserPath(CBrowser browser, const std::string& path) {
    Profile().PutString(kBrowser, BrowserKey(browser), path);
}

int ToolBarType() {
    return Profile().GetInt(kToolBar, QStringLiteral("Resource"), 1);
}
void PutToolBarType(int type) {
    Profile().PutInt(kToolBar, QStringLiteral("Resource"), type);
}

int ButtonHidden(int commandId) {
    return Profile().GetInt(kToolBar, QString::number(commandId), IsHiddenByDefault(commandId) ? 1 : 0);
}
void PutButtonHidden(int commandId, int hidden) {
    Profile().PutInt(kToolBar, QString::number(commandId), hidden);
}

int TabStop() {
    return Profile().GetInt(kSettings, QStringLiteral("TabStop"), 32);
}
void PutTabStop(int dialogUnits) {
    Profile().PutInt(kSettings, QStringLiteral("TabStop"), dialogUnits);
}

std::optional<QByteArray> FontBlock() {
    return Profile().GetBinary(kSettings, QStringLiteral("Font"));
}
void PutFontBlock(const QByteArray& block) {
    Profile().PutBinary(kSettings, QStringLiteral("Font"), block);
}

CDateTimeFormats DateTimeFormats() {
    CDateTimeFormats f;
    f.date = Profile().GetInt(kDateTime, QStringLiteral("Date"), 1);
    f.dateEx = Profile().GetString(kDateTime, QStringLiteral("DateEx"), {});
    f.time = Profile().GetInt(kDateTime, QStringLiteral("Time"), 1);
    f.timeEx = Profile().GetString(kDateTime, QStringLiteral("TimeEx"), {});
    return f;
}

void PutDateTimeFormats(const CDateTimeFormats& f) {
    Profile().PutInt(kDateTime, QStringLiteral("Date"), f.date);
    Profile().PutString(kDateTime, QStringLiteral("DateEx"), f.dateEx);
    Profile().PutInt(kDateTime, QStringLiteral("Time"), f.time);
    Profile().PutString(kDateTime, QStringLiteral("TimeEx"), f.timeEx);
}

namespace {
struct CViewSwitchKey {
    const char* key;
    bool byDefault;
};
CViewSwitchKey KeyOf(CViewSwitch which) {
    switch (which) {
    case CViewSwitch::Colour:
        return {"Colour", true};
    case CViewSwitch::MarkDependent:
        return {"MarkDependent", true};
    case CViewSwitch::LineNumbers:
        break;
    }
    return {"LineNumbers", false};
}
const QString kView = QStringLiteral("View");
} // namespace

bool ViewSwitch(CViewSwitch which) {
    const CViewSwitchKey k = KeyOf(which);
    return Profile().GetInt(kView, QString::fromLatin1(k.key), k.byDefault ? 1 : 0) != 0;
}

void PutViewSwitch(CViewSwitch which, bool on) {
    Profile().PutInt(kView, QString::fromLatin1(KeyOf(which).key), on ? 1 : 0);
}

} // namespace ProfileSettings
