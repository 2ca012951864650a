#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

// The per-user profile: named integer, string and binary values in sections under
// Brellmoor/Vuro (on Linux the INI file ~/.config/Brellmoor/Vuro.conf). Strings reach
// the program as CP932 bytes and are stored as text. Nothing is cached: every call
// reads or writes the store.
class CProfile {
public:
    // The user's profile.
    CProfile() = default;
    // A profile kept in the given INI file instead (tests, portable use).
    explicit CProfile(QString iniPath) : m_iniPath(std::move(iniPath)) {}

    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    void PutInt(const QString& section, const QString& key, int value) const;

    std::string GetString(const QString& section, const QString& key, const std::string& defaultValue) const;
    void PutString(const QString& section, const QString& key, const std::string& value) const;

    // Text kept by the program itself rather than typed into the page (file names of the
    // recent-file list): stored as it is, without passing through CP932.
    QString GetText(const QString& section, const QString& key) const;
    void PutText(const QString& section, const QString& key, const QString& value) const;

    // nullopt when the value does not exist.
    std::optional<QByteArray> GetBinary(const QString& section, const QString& key) const;
    void PutBinary(const QString& section, const QString& key, const QByteArray& value) const;

    // Layout of the main window's bars, kept in section "BarState".
    std::optional<QByteArray> GetBarState(const QString& key) const { return GetBinary(kBarState, key); }
    void PutBarState(const QString& key, const QByteArray& value) const { PutBinary(kBarState, key, value); }

    // Where the values are stored (for messages and tests).
    QString FileName() const;

    static inline const QString kBarState = QStringLiteral("BarState");

private:
    QString m_iniPath;
};

// The profile every part of the editor uses; tests point it at a file of their own.
CProfile& Profile();
void SetProfile(const CProfile& profile);
