#include "uninstall/UninstallDlg.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

// The uninstaller reads no command line and sets no profile of its own: it shows its one
// window and ends when that closes; the exit code is 0 when the settings were deleted.
int main(int argc, char** argv) {
    if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY") && !getenv("QT_QPA_PLATFORM")) {
        std::fputs("uninstall: 画面がありません (no display: set DISPLAY or WAYLAND_DISPLAY).\n", stderr);
        return 1;
    }
    QApplication app(argc, argv);
    CUninstallDlg::UseTemplateFont();
    CUninstallDlg dialog;
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
