#pragma once

#include "tags/HistoryList.h"
#include "tags/ReferenceTagDlg.h"
#include "tags/TagText.h"

class CAttributeButton;
class CHistoryComboBox;
class CUpDownEdit;
class QComboBox;
class QLineEdit;

// The image dialog: src with a drop-down history of the last five sources (profile
// section "InsImgDlg") and Browse, which also reads the picture's size through the image
// plug-ins; alt, width, height, border and align, each with its attribute button.
class CInsImgDlg : public CReferenceTagDlg {
    Q_OBJECT

public:
    static inline const QString kSection = QStringLiteral("InsImgDlg");

    explicit CInsImgDlg(QWidget* parent = nullptr);
    // Writes the src history, after OK and Cancel alike.
    ~CInsImgDlg() override;

    // The values taken when OK was pressed (the align position is -1 until the first paint).
    const CImageFields& Fields() const { return m_fields; }

private:
    void SetUp() override;
    void TakeValues() override;
    void OnBrowse();

    CHistoryList m_sources{kSection, QStringLiteral("src")};
    CImageFields m_fields;

    CHistoryComboBox* m_src;
    CAttributeButton* m_altOn;
    QLineEdit* m_alt;
    CAttributeButton* m_widthOn;
    CUpDownEdit* m_width;
    CAttributeButton* m_heightOn;
    CUpDownEdit* m_height;
    CAttributeButton* m_borderOn;
    CUpDownEdit* m_border;
    CAttributeButton* m_alignOn;
    QComboBox* m_align;
};
