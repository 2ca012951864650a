#include "editor/FindReplaceDlg.h"
#include "platform/DialogControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CFindReplaceDlg::CFindReplaceDlg(bool replace, QWidget* parent) : QDialog(parent), m_replace(replace) {
    setModal(false);
    auto* fields = new QGridLayout;
    m_find = new QLineEdit;
    auto* findLabel = BuddyLabel(QStringLiteral("検索する文字列(&N):"), m_find);
    fields->addWidget(findLabel, 0, 0);
    fields->addWidget(m_find, 0, 1);

    m_replaceWith = new QLineEdit;
    auto* replaceLabel = BuddyLabel(QStringLiteral("置換後の文字列(&P):"), m_replaceWith);
    m_replaceLabel = replaceLabel;
    fields->addWidget(replaceLabel, 1, 0);
    fields->addWidget(m_replaceWith, 1, 1);

    m_wholeWord = new QCheckBox(QStringLiteral("単語単位で探す(&W)"));
    m_matchCase = new QCheckBox(QStringLiteral("大文字と小文字を区別する(&C)"));
    m_wrapAround = new QCheckBox(QStringLiteral("末尾まで検索したら先頭に戻る(&R)"));
    m_wrapAround->setChecked(true);

    m_directionBox = new QGroupBox(QStringLiteral("方向"));
    m_up = new QRadioButton(QStringLiteral("上へ(&U)"));
    m_down = new QRadioButton(QStringLiteral("下へ(&D)"));
    m_down->setChecked(true);
    auto* direction = new QHBoxLayout(m_directionBox);
    direction->addWidget(m_up);
    direction->addWidget(m_down);

    auto* options = new QVBoxLayout;
    options->addWidget(m_wholeWord);
    options->addWidget(m_matchCase);
    options->addWidget(m_wrapAround);

    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    auto* lower = new QHBoxLayout;
    lower->addLayout(options);
    lower->addWidget(m_directionBox);
    left->addLayout(lower);
    left->addStretch();

    m_findNext = new QPushButton(QStringLiteral("次を検索(&F)"));
    m_findNext->setDefault(true);
    m_replaceOne = new QPushButton(QStringLiteral("置換して次に(&E)"));
    m_replaceAll = new QPushButton(QStringLiteral("すべて置換(&A)"));
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"));
    auto* buttons = ButtonColumn({m_findNext, m_replaceOne, m_replaceAll, cancel});

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    connect(m_findNext, &QPushButton::clicked, this, &CFindReplaceDlg::FindNextRequested);
    connect(m_replaceOne, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceRequested);
    connect(m_replaceAll, &QPushButton::clicked, this, &CFindReplaceDlg::ReplaceAllRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_find, &QLineEdit::textChanged, this, &CFindReplaceDlg::UpdateButtons);
    SetReplaceMode(replace);
}

void CFindReplaceDlg::SetReplaceMode(bool replace) {
    m_replace = replace;
    setWindowTitle(replace ? QStringLiteral("置換") : QStringLiteral("検索"));
    m_replaceLabel->setVisible(replace);
    m_replaceWith->setVisible(replace);
    m_replaceOne->setVisible(replace);
    m_replaceAll->setVisible(replace);
    // Replacing always works downwards, as users expect of Replace.
    m_directionBox->setVisible(!replace);
    UpdateButtons();
    adjustSize();
}

QString CFindReplaceDlg::FindText() const {
    return m_find->text();
}
QString CFindReplaceDlg::ReplaceText() const {
    return m_replaceWith->text();
}

void CFindReplaceDlg::SetFindText(const QString& text) {
    m_find->setText(text);
    m_find->selectAll();
}

CSearchOptions CFindReplaceDlg::Options() const {
    CSearchOptions o;
    o.matchCase = m_matchCase->isChecked();
    o.wholeWord = m_wholeWord->isChecked();
    o.wrapAround = m_wrapAround->isChecked();
    o.forward = m_replace || !m_up->isChecked();
    return o;
}

void CFindReplaceDlg::UpdateButtons() {
    const bool any = !m_find->text().isEmpty();
    m_findNext->setEnabled(any);
    m_replaceOne->setEnabled(any);
    m_replaceAll->setEnabled(any);
}
