#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// One of the fake help libraries built for these tests, each alone in its folder under
// the name of the real one: "mode0" and "mode1" record calls and answer IsSupportCmh with
// 0 or 1, "noshow", "nomode" and "neither" lack ShowHelp, IsSupportCmh or both.
class CFakeHelpLibrary {
public:
    explicit CFakeHelpLibrary(const char* variant);
    ~CFakeHelpLibrary();
    CFakeHelpLibrary(const CFakeHelpLibrary&) = delete;
    CFakeHelpLibrary& operator=(const CFakeHelpLibrary&) = delete;

    QString Folder() const { return m_folder; }

    // What the library's ShowHelp was last called with.
    int Calls();
    int LastCommand();
    QByteArray LastLocation();
    std::optional<QByteArray> LastTopic();

private:
    void* Entry(const char* name) const;

    QString m_folder;
    void* m_handle = nullptr; // a handle of its own keeps the recorder loaded whatever the binding does
};
