#pragma once

#include <QWizardPage>

#include <string>
#include <vector>

class CFirstPaint;
class CMetaDlg;
class CnewWizPSheet;
class CUpDownEdit;
class QCheckBox;
class QLineEdit;
class QPushButton;

// First page of a normal page: the HEAD settings (title, automatic refresh, expiry date
// and further META tags).
class CnwPageNorm1 : public QWizardPage {
    Q_OBJECT

public:
    explicit CnwPageNorm1(CnewWizPSheet& sheet);

    int nextId() const override;
    void initializePage() override;

    // What the page holds, for composing the page on the second page's Finish.
    QString Title() const;
    bool RefreshOn() const;
    QString RefreshSeconds() const;
    QString RefreshUrl() const;
    bool ExpiresOn() const;
    QString ExpiryDate() const;
    const std::vector<std::string>& MetaList() const;

    CMetaDlg* MetaDialog() const { return m_metaDlg; }
    // Puts the page's first-paint defaults in place if it has not been painted yet.
    void EnsureSetUp();

private:
    void UpdateRefreshControls();
    void OnBrowse();

    CnewWizPSheet& m_sheet;
    CFirstPaint* m_firstPaint;
    CMetaDlg* m_metaDlg;
    QLineEdit* m_title;
    QCheckBox* m_refresh;
    CUpDownEdit* m_seconds;
    QLineEdit* m_url;
    QPushButton* m_browse;
    QCheckBox* m_expires;
    QLineEdit* m_expiry;
};
