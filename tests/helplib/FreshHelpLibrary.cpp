#include "tests/helplib/FreshHelpLibrary.h"

#include <QFile>

#include <gtest/gtest.h>

#include <dlfcn.h>

// A copy is a different file, so the loader maps it anew with its own cached values.
CFreshHelpLibrary::CFreshHelpLibrary() {
    const QString copy = m_folder.filePath("libvurohelp.so");
    if (!QFile::copy(VURO_HELP_LIBRARY, copy)) {
        ADD_FAILURE() << "cannot copy " << VURO_HELP_LIBRARY;
        return;
    }
    m_handle = dlopen(QFile::encodeName(copy).constData(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        ADD_FAILURE() << dlerror();
        return;
    }
    m_showHelp = reinterpret_cast<decltype(m_showHelp)>(dlsym(m_handle, "ShowHelp"));
    m_isSupportCmh = reinterpret_cast<decltype(m_isSupportCmh)>(dlsym(m_handle, "IsSupportCmh"));
    EXPECT_NE(m_showHelp, nullptr);
    EXPECT_NE(m_isSupportCmh, nullptr);
}

CFreshHelpLibrary::~CFreshHelpLibrary() {
    if (m_handle != nullptr)
        dlclose(m_handle);
}

int CFreshHelpLibrary::ShowHelp(const char* location, const char* topic, int command) const {
    return m_showHelp != nullptr ? m_showHelp(location, topic, command) : -1;
}

int CFreshHelpLibrary::IsSupportCmh() const {
    return m_isSupportCmh != nullptr ? m_isSupportCmh() : -1;
}
