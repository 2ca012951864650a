#pragma once

#include "tags/TagForm.h"

#include <QDialog>

#include <string>
#include <vector>

class CAttributeButton;
class CFirstPaint;
class CTagValues;
class CUpDownEdit;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

// A tag dialog built from its form: one attribute button per row with its value
// controls, OK and Cancel. The defaults go in on the first paint; OK builds the opening
// tag from the switched-on attributes. Every control is named by its resource identifier.
class CTagAttributeDlg : public QDialog {
    Q_OBJECT

public:
    explicit CTagAttributeDlg(const CTagForm& form, QWidget* parent = nullptr);

    // The tag built when OK was pressed; empty before.
    const std::string& Result() const { return m_result; }
    const CTagForm& Form() const { return m_form; }

    void accept() override;

private:
    struct CRowControls {
        CAttributeButton* button = nullptr;
        QLineEdit* field = nullptr;
        CUpDownEdit* number = nullptr;
        QComboBox* list = nullptr;
        QCheckBox* percent = nullptr;
        // Text typed into a combo box's edit field leaves no list entry selected.
        bool typedIntoList = false;
    };

    void AddRow(const CAttributeSpec& spec, int line, QGridLayout& grid);
    void SetUp();
    void ReadControls(CTagValues& values) const;

    const CTagForm& m_form;
    std::vector<CRowControls> m_rows;
    QPushButton* m_ok = nullptr;
    CFirstPaint* m_firstPaint = nullptr;
    std::string m_result;
};
