#pragma once

#include "editor/TextSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The modeless Find and Replace dialog. It only collects what to look for; the view
// does the searching and replacing when the dialog asks.
class CFindReplaceDlg : public QDialog {
    Q_OBJECT

public:
    CFindReplaceDlg(bool replace, QWidget* parent);

    bool IsReplace() const { return m_replace; }
    // Switches between the Find and the Replace layout, keeping what was typed.
    void SetReplaceMode(bool replace);

    QString FindText() const;
    QString ReplaceText() const;
    void SetFindText(const QString& text);
    CSearchOptions Options() const;

    QLineEdit* FindField() const { return m_find; }
    QLineEdit* ReplaceField() const { return m_replaceWith; }
    QPushButton* FindNextButton() const { return m_findNext; }
    QPushButton* ReplaceButton() const { return m_replaceOne; }
    QPushButton* ReplaceAllButton() const { return m_replaceAll; }
    QCheckBox* MatchCaseBox() const { return m_matchCase; }
    QCheckBox* WholeWordBox() const { return m_wholeWord; }
    QCheckBox* WrapAroundBox() const { return m_wrapAround; }
    QRadioButton* UpButton() const { return m_up; }

signals:
    void FindNextRequested();
    void ReplaceRequested();
    void ReplaceAllRequested();

private:
    void UpdateButtons();

    bool m_replace;
    QLineEdit* m_find;
    QLineEdit* m_replaceWith;
    QWidget* m_replaceLabel;
    QWidget* m_directionBox;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QCheckBox* m_wrapAround;
    QRadioButton* m_up;
    QRadioButton* m_down;
    QPushButton* m_findNext;
    QPushButton* m_replaceOne;
    QPushButton* m_replaceAll;
};
