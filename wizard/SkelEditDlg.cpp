#include "wizard/SkelEditDlg.h"
#include "platform/DialogControls.h"

#include "editor/WeftpageView.h"
#include "platform/Cp932.h"
#include "platform/HelpKeyFilter.h"
#include "platform/HelpTopics.h"
#include "platform/PlatformUi.h"
#include "wizard/SkeletonFile.h"
#include "wizard/WizardFields.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSkelEditDlg::CSkelEditDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("スケルトンの編集"));
    m_title = new QLineEdit;
    m_comment = new QLineEdit;
    m_source = new QPlainTextEdit;
    m_source->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_source->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_source->setTabChangesFocus(true);
    m_source->setFont(CWeftpageView::ProfileFont());
    SetControlId(m_title, 1134);
    SetControlId(m_comment, 1117);
    SetControlId(m_source, 1133);
    const auto [ok, cancel] = MakeOkCancelButtons(this);

    auto* fields = new QGridLayout;
    fields->addWidget(BuddyLabel(QStringLiteral("タイトル(&T)"), m_title), 0, 0);
    fields->addWidget(m_title, 0, 1);
    fields->addWidget(BuddyLabel(QStringLiteral("コメント(&C)"), m_comment), 1, 0);
    fields->addWidget(m_comment, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(BuddyLabel(QStringLiteral("HTMLソース(&S)"), m_source));
    layout->addWidget(m_source, 1);
    layout->addLayout(buttons);
    resize(560, 420);

    CHelpKeyFilter::Install(this, kHelpTopicSkeletonEdit);
}

void CSkelEditDlg::SetItem(const CSkelItem& item) {
    m_item = item;
    m_title->setText(Cp932::Decode(item.title));
    m_comment->setText(Cp932::Decode(item.comment));
    m_source->setPlainText(PageTextForEditor(item.source));
    m_shownTitle = m_title->text();
    m_shownComment = m_comment->text();
    m_shownSource = m_source->toPlainText();
    m_title->setFocus();
}

void CSkelEditDlg::accept() {
    const QString title = m_title->text();
    const QString comment = m_comment->text();
    const QString source = m_source->toPlainText();
    const bool titleEdited = title != m_shownTitle;
    const bool commentEdited = comment != m_shownComment;
    const bool sourceEdited = source != m_shownSource;
    const std::vector<std::string> bytes =
        EncodeFieldsForPage({titleEdited ? title : QString(), commentEdited ? comment : QString(),
                             sourceEdited ? EditorTextWithCrLf(source) : QString()});
    CSkelItem edited = m_item;
    // Line breaks pasted into the title or comment become blanks.
    if (titleEdited)
        edited.title = OneLine(bytes[0]);
    if (commentEdited)
        edited.comment = OneLine(bytes[1]);
    if (sourceEdited)
        edited.source = bytes[2];
    if (HasSeparatorLine(edited)) {
        Ui().Ask(QStringLiteral("「&&&&&」だけの行はスケルトンの区切りになるため、登録できません。\n"
                                "タイトル、コメント、HTMLソースのその行を書き換えて下さい。"),
                 CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return;
    }
    m_item = std::move(edited);
    QDialog::accept();
}
