#include "tests/helplib/FakeHelpLibrary.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <dlfcn.h>

CFakeHelpLibrary::CFakeHelpLibrary(const char* variant)
    : m_folder(QDir(VURO_FAKE_HELP_DIR).filePath(variant)) {
    m_handle = dlopen(QFile::encodeName(m_folder + "/libvurohelp.so").constData(), RTLD_NOW | RTLD_LOCAL);
    EXPECT_NE(m_handle, nullptr) << dlerror();
}

CFakeHelpLibrary::~CFakeHelpLibrary() {
    if (m_handle != nullptr)
        dlclose(m_handle);
}

void* CFakeHelpLibrary::Entry(const char* name) const {
    return m_handle != nullptr ? dlsym(m_handle, name) : nullptr;
}

int CFakeHelpLibrary::Calls() {
    auto calls = reinterpret_cast<int (*)()>(Entry("FakeHelpCalls"));
    return calls != nullptr ? calls() : -1;
}

int CFakeHelpLibrary::LastCommand() {
    auto command = reinterpret_cast<int (*)()>(Entry("FakeHelpLastCommand"));
    return command != nullptr ? command() : -1;
}

QByteArray CFakeHelpLibrary::LastLocation() {
    auto location = reinterpret_cast<const char* (*)()>(Entry("FakeHelpLastLocation"));
    return location != nullptr ? QByteArray(location()) : QByteArray();
}

std::optional<QByteArray> CFakeHelpLibrary::LastTopic() {
    auto topic = reinterpret_cast<const char* (*)()>(Entry("FakeHelpLastTopic"));
    const char* text = topic != nullptr ? topic() : nullptr;
    if (text == nullptr)
        return std::nullopt;
    return QByteArray(text);
}
