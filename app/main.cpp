#include <QApplication>
#include <QMainWindow>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (!getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY") && !getenv("QT_QPA_PLATFORM")) {
        std::fputs("weftpage: 画面がありません (no display: set DISPLAY or WAYLAND_DISPLAY).\n", stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setWindowTitle(QStringLiteral("無題 - Vuro"));
    frame.resize(800, 600);
    frame.show();
    return app.exec();
}
