#pragma once

#include "tags/HistoryList.h"
#include "tags/ReferenceTagDlg.h"
#include "tags/TagText.h"

class CAttributeButton;
class CHistoryComboBox;

// The link dialog: href, target and name, each with its attribute button and a drop-down
// history of the last five values (profile section "InsADlg"), and Browse for href.
class CInsADlg : public CReferenceTagDlg {
    Q_OBJECT

public:
    static inline const QString kSection = QStringLiteral("InsADlg");

    explicit CInsADlg(QWidget* parent = nullptr);
    // Writes the three histories, after OK and Cancel alike.
    ~CInsADlg() override;

    // The values taken when OK was pressed, as page bytes.
    const CLinkFields& Fields() const { return m_fields; }

private:
    void SetUp() override;
    void TakeValues() override;
    void OnBrowse();

    CHistoryList m_hrefs{kSection, QStringLiteral("href")};
    CHistoryList m_names{kSection, QStringLiteral("name")};
    CHistoryList m_targets{kSection, QStringLiteral("trgt")};
    CLinkFields m_fields;

    CAttributeButton* m_hrefOn;
    CAttributeButton* m_targetOn;
    CAttributeButton* m_nameOn;
    CHistoryComboBox* m_href;
    CHistoryComboBox* m_target;
    CHistoryComboBox* m_name;
};
