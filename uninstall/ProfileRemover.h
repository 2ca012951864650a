#pragma once

#include <QString>

// Deletes one product's per-user profile, named the way the Windows registry names it below
// the current user ("software\\Maker\\Product"). On Linux that profile is the settings file of
// QSettings(Maker, Product), ~/.config/Maker/Product.conf.
class CProfileRemover {
public:
    explicit CProfileRemover(const QString& key);

    // False when the key does not name exactly one product of one maker.
    bool IsValid() const { return !m_organization.isEmpty(); }
    const QString& Organization() const { return m_organization; }
    const QString& Application() const { return m_application; }
    // The profile's file; empty when the key is not valid.
    QString FileName() const;

    // Deletes every value of the profile and its file, then the maker's folder if nothing else
    // is left in it. True when no part of the profile remains (also when there was none);
    // otherwise nothing is claimed and Error() says, for the user, which file and why.
    bool Remove();
    const QString& Error() const { return m_error; }

private:
    QString m_key;
    QString m_organization;
    QString m_application;
    QString m_error;
};
