#include "tests/fuzz/FuzzSupport.h"

#include "platform/PlatformUi.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {

[[noreturn]] void Unexpected(const char* what, const QString& detail = QString()) {
    std::fprintf(stderr, "a parser asked the user (%s): %s\n", what, qPrintable(detail));
    std::abort();
}

class CNoUserUi final : public CPlatformUi {
public:
    explicit CNoUserUi(QString folder) : m_folder(std::move(folder)) {}
    Answer ShowMessage(const Message& message) override { Unexpected("message", message.text); }
    std::optional<QString> AskFileName(const FileDialog&) override { Unexpected("file dialog"); }
    std::optional<QFont> AskFont(const FontDialog&) override { Unexpected("font dialog"); }
    int RunDialog(QDialog&) override { Unexpected("dialog"); }
    bool OpenWithDesktop(const QString& target, std::function<void()>) override {
        Unexpected("opener", target);
    }
    bool StartProgram(const QString& program, const QStringList&) override { Unexpected("program", program); }
    QDateTime LocalTime() override { return QDateTime::currentDateTime(); }
    QString ProgramFolder() override { return m_folder; }

private:
    QString m_folder;
};

QString& Folder() {
    static QString folder;
    return folder;
}

} // namespace

namespace FuzzSupport {

int Initialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    // A memory file system where there is one: the targets write a file for every input.
    static QTemporaryDir dir(QDir("/dev/shm").exists()
                                 ? QStringLiteral("/dev/shm/vuro-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/vuro-fuzz-XXXXXX"));
    FUZZ_CHECK(dir.isValid());
    Folder() = dir.path();
    SetUi(std::make_unique<CNoUserUi>(dir.path()));
    return 0;
}

QString WriteInput(const char* name, const std::uint8_t* data, std::size_t size) {
    const QString path = QDir(Folder()).filePath(QString::fromLatin1(name));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
               static_cast<qint64>(size));
    return path;
}

} // namespace FuzzSupport
