#include "app/MenuStyle.h"
#include "app/WeftpageApp.h"
#include "editor/FontSubstitutes.h"
#include "platform/FileName.h"
#include "platform/MnemonicClick.h"
#include "resources/UiFont.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY") && !getenv("QT_QPA_PLATFORM")) {
        std::fputs(
            "weftpage: there is no display to show the editor on (DISPLAY and WAYLAND_DISPLAY are empty).\n",
            stderr);
        return 1;
    }
    QApplication qapp(argc, argv);
    QApplication::setStyle(new CMenuStyle);
    InstallImmediateMnemonics(qapp);
    RegisterFontSubstitutes();
    PreferJapaneseGlyphs();
    // Wayland groups the window under the desktop entry of this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(VURO_DESKTOP_ID));
    // The program speaks Japanese, so the standard dialogs (files, fonts) do too.
    QTranslator qtJapanese;
    if (qtJapanese.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtJapanese);
    CWeftpageApp app;
    // QApplication has taken its own options out of argv; the rest are read as bytes, so a
    // file name that is not UTF-8 reaches the editor unchanged.
    if (!app.InitInstance(FileName::FromArgv(argc, argv).mid(1))) {
        app.ExitInstance();
        return 1;
    }
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
