#include "platform/PlatformUi.h"

#include "platform/QtPlatformUi.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

std::unique_ptr<CPlatformUi>& Instance() {
    static std::unique_ptr<CPlatformUi> ui = std::make_unique<CQtPlatformUi>();
    return ui;
}

} // namespace

CPlatformUi& Ui() {
    return *Instance();
}

std::unique_ptr<CPlatformUi> SetUi(std::unique_ptr<CPlatformUi> ui) {
    std::unique_ptr<CPlatformUi> previous = std::move(Instance());
    Instance() = std::move(ui);
    return previous;
}

QString DataFilePath(const QString& fileName) {
    const QString programFolder = Ui().ProgramFolder();
    // /usr belongs to the package manager, even where root may write it: an installed
    // program keeps its users' data in their own folders.
    const QString canonical = QFileInfo(programFolder).canonicalFilePath();
    const bool systemFolder =
        canonical == QLatin1String("/usr") || canonical.startsWith(QLatin1String("/usr/"));
    if (!systemFolder && QFileInfo(programFolder).isWritable())
        return QDir(programFolder).filePath(fileName);
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dataFolder);
    return QDir(dataFolder).filePath(fileName);
}
