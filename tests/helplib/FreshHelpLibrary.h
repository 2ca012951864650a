#pragma once

#include <QTemporaryDir>

// A private copy of the real help library, loaded afresh, so each test starts with the
// library's cached viewer still unknown.
class CFreshHelpLibrary {
public:
    CFreshHelpLibrary();
    ~CFreshHelpLibrary();

    int ShowHelp(const char* location, const char* topic, int command) const;
    int IsSupportCmh() const;

private:
    QTemporaryDir m_folder;
    void* m_handle = nullptr;
    int (*m_showHelp)(const char*, const char*, int) = nullptr;
    int (*m_isSupportCmh)() = nullptr;
};
