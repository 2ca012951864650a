#include "platform/HelpBinding.h"

#include "platform/PlatformUi.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

CHelpBinding& CHelpBinding::Instance() {
    static CHelpBinding binding;
    return binding;
}

CHelpBinding::~CHelpBinding() {
    Release();
}

void CHelpBinding::Bind() {
    Release();
    const QDir folder(Ui().ProgramFolder());
    m_library.setFileName(folder.filePath(QStringLiteral("vurohelp")));
    if (!m_library.load()) {
        Ui().Ask(kMissingLibraryMessage);
        return;
    }
    m_showHelp = reinterpret_cast<ShowHelpEntry>(m_library.resolve("ShowHelp"));
    if (m_showHelp == nullptr)
        Ui().Ask(kOldLibraryMessage);
    const auto isSupportCmh = reinterpret_cast<IsSupportCmhEntry>(m_library.resolve("IsSupportCmh"));
    if (isSupportCmh == nullptr)
        Ui().Ask(kOldLibraryMessage);
    else
        m_helpMode = isSupportCmh();

    if (m_helpMode == 1)
        m_location = QFile::encodeName(folder.filePath(QStringLiteral("vuro.chm")));
    else if (m_helpMode == 0)
        m_location = QFile::encodeName(folder.filePath(QStringLiteral("help")));
    else
        m_location = QFile::encodeName(QCoreApplication::applicationFilePath());
}

void CHelpBinding::Release() {
    m_showHelp = nullptr;
    m_helpMode = -1;
    m_location.clear();
    if (m_library.isLoaded())
        m_library.unload();
}

bool CHelpBinding::Call(const char* topic, std::int32_t command) const {
    if (m_showHelp == nullptr)
        return false;
    return m_showHelp(m_location.constData(), topic, command) != 0;
}

bool CHelpBinding::ShowTopic(const char* topic) const {
    return Call(topic, 0);
}

bool CHelpBinding::ShowContents() const {
    return Call(nullptr, 1);
}

bool CHelpBinding::ShowIndex() const {
    return Call(nullptr, 2);
}
