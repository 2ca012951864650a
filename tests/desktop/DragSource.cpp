// A window that starts a real drag of the files named on its command line as soon as the
// mouse button goes down in it, as a file manager does. The desktop tests drive the mouse
// from it to the editor; the drop reaches the editor through the X drag-and-drop protocol.
// It prints the action the drop target chose, or "ignored" when nobody took the drop.

#include <QApplication>
#include <QDrag>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <cstdio>

namespace {

class CDragSource : public QLabel {
public:
    explicit CDragSource(QList<QUrl> urls) : QLabel(QStringLiteral("drag me")), m_urls(std::move(urls)) {
        setWindowTitle(QStringLiteral("drag source"));
        setAlignment(Qt::AlignCenter);
        setFixedSize(160, 100);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton)
            return;
        auto* drag = new QDrag(this);
        auto* mime = new QMimeData;
        mime->setUrls(m_urls);
        drag->setMimeData(mime);
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::CopyAction);
        std::printf("%s\n", action == Qt::IgnoreAction ? "ignored" : "dropped");
        std::fflush(stdout);
    }

private:
    QList<QUrl> m_urls;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (const QString& path : QApplication::arguments().mid(1))
        urls.append(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    CDragSource source(urls);
    source.move(20, 20);
    source.show();
    return QApplication::exec();
}
