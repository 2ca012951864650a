#include "wizard/SkelPreviewDlg.h"

#include "editor/WeftpageView.h"
#include "wizard/WizardFields.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSkelPreviewDlg::CSkelPreviewDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("スケルトンプレビュー"));
    m_text = new QPlainTextEdit;
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The source is shown as the editor would show it.
    m_text->setFont(CWeftpageView::ProfileFont());
    SetControlId(m_text, 1122);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    SetControlId(ok, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    resize(520, 380);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CSkelPreviewDlg::SetText(const std::string& source) {
    m_text->setPlainText(PageTextForEditor(source));
}

QString CSkelPreviewDlg::ShownText() const {
    return m_text->toPlainText();
}
