#include "platform/Profile.h"

#include "platform/Cp932.h"

#include <QSettings>

#include <memory>

namespace {

std::unique_ptr<QSettings> Open(const QString& iniPath) {
    if (iniPath.isEmpty())
        return std::make_unique<QSettings>(QStringLiteral("Brellmoor"), QStringLiteral("Vuro"));
    return std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

QString Path(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

int CProfile::GetInt(const QString& section, const QString& key, int defaultValue) const {
    const QVariant v = Open(m_iniPath)->value(Path(section, key));
    bool ok = false;
    const int value = v.toInt(&ok);
    return ok ? value : defaultValue;
}

void CProfile::PutInt(const QString& section, const QString& key, int value) const {
    Open(m_iniPath)->setValue(Path(section, key), value);
}

std::string CProfile::GetString(const QString& section, const QString& key,
                                const std::string& defaultValue) const {
    const QVariant v = Open(m_iniPath)->value(Path(section, key));
    if (!v.isValid())
        return defaultValue;
    return Cp932::Encode(v.toString()).bytes;
}

void CProfile::PutString(const QString& section, const QString& key, const std::string& value) const {
    Open(m_iniPath)->setValue(Path(section, key), Cp932::Decode(value));
}

QString CProfile::GetText(const QString& section, const QString& key) const {
    return Open(m_iniPath)->value(Path(section, key)).toString();
}

void CProfile::PutText(const QString& section, const QString& key, const QString& value) const {
    Open(m_iniPath)->setValue(Path(section, key), value);
}

std::optional<QByteArray> CProfile::GetBinary(const QString& section, const QString& key) const {
    const QVariant v = Open(m_iniPath)->value(Path(section, key));
    if (!v.isValid())
        return std::nullopt;
    return v.toByteArray();
}

void CProfile::PutBinary(const QString& section, const QString& key, const QByteArray& value) const {
    Open(m_iniPath)->setValue(Path(section, key), value);
}

QString CProfile::FileName() const {
    return Open(m_iniPath)->fileName();
}

CProfile& Profile() {
    static CProfile profile;
    return profile;
}

void SetProfile(const CProfile& profile) {
    Profile() = profile;
}
