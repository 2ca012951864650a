#include "tags/InsCommentDlg.h"
#include "platform/DialogControls.h"

#include "platform/PageText.h"
#include "tags/TagDialogText.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CInsCommentDlg::CInsCommentDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("コメントの挿入"));
    m_text = new QPlainTextEdit;
    SetControlId(m_text, 1091);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Enter starts a new line; Tab moves on to the buttons, as in any dialog.
    m_text->setTabChangesFocus(true);
    m_text->setMinimumSize(300, 120);

    const auto [ok, cancel] = MakeOkCancelButtons(this);

    auto* buttons = ButtonColumn({ok, cancel});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void CInsCommentDlg::accept() {
    // The raw text keeps no-break spaces as typed; block and line separators are line breaks.
    QString typed = m_text->document()->toRawText();
    typed.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    m_result = CommentText(EncodeForPage(typed));
    QDialog::accept();
}
