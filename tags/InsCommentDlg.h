#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;

// The comment dialog: a plain text box whose text OK wraps into "<!-- " ... " -->". It
// has no defaults, no first-paint step and no F1 help; the input method stays on.
class CInsCommentDlg : public QDialog {
    Q_OBJECT

public:
    explicit CInsCommentDlg(QWidget* parent = nullptr);

    // The complete comment built when OK was pressed; empty before.
    const std::string& Result() const { return m_result; }

    void accept() override;

private:
    QPlainTextEdit* m_text;
    std::string m_result;
};
