#include "settings/FkeyDlg.h"
#include "platform/DialogControls.h"

#include "platform/Cp932.h"
#include "platform/FirstPaint.h"
#include "platform/HelpBinding.h"
#include "platform/HelpKeyFilter.h"
#include "platform/HelpTopics.h"
#include "platform/PageText.h"
#include "resources/CommandIds.h"
#include "resources/CommandTable.h"
#include "settings/ByteLimitValidator.h"
#include "settings/FkeyTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Cmd;

const std::array<int, 56> CFkeyDlg::kCommands = {
    kFileNew,
    kNewWizard,
    kFileBlank,
    kFileOpen,
    kFileSave,
    kFileSaveAs,
    kAppExit,
    kEditUndo,
    kEditRedo,
    kEditFind,
    kEditReplace,
    kBrAtLineEnds,
    kConvertEntities,
    kDependentToReferences,
    kEditCut,
    kEditCopy,
    kEditPaste,
    kEditSelectAll,
    kTagLinkDlg,
    kTagImageDlg,
    kTagBr,
    kTagParagraphDlg,
    kTagCenter,
    kTagRuleDlg,
    kTagFontDlg,
    kTagBold,
    kTagItalic,
    kTagTableDlg,
    kTagRowDlg,
    kTagCellDlg,
    kTagOrderedListDlg,
    kTagUnorderedList,
    kTagListItem,
    kTagCommentDlg,
    kInsertDate,
    kInsertTime,
    kPreview,
    kPreviewFirstBrowser,
    kPreviewSecondBrowser,
    kJumpNextClose,
    kJumpPrevOpen,
    kNextDependent,
    kHtmlColouring,
    kMarkDependent,
    kLineNumbers,
    kViewToolBar,
    kViewStatusBar,
    kViewCommandBar,
    kEditSelectedFile,
    kEditSkeletons,
    kFunctionKeys,
    kSettings,
    kHelpContents,
    kHelpIndex,
    kHomePage,
    kAbout,
};

CFkeyDlg::CFkeyDlg(CFkeyTable& table, QWidget* parent) : QDialog(parent), m_table(table) {
    setWindowTitle(QStringLiteral("ファンクションキーの設定"));
    QFont dialogFont(QStringLiteral("ＭＳ Ｐゴシック"));
    dialogFont.setPointSize(9);
    setFont(dialogFont);

    m_keys = new QListWidget;
    SetControlId(m_keys, 1148);
    m_keys->setSelectionMode(QAbstractItemView::SingleSelection);
    m_keys->setMaximumWidth(m_keys->fontMetrics().horizontalAdvance(QStringLiteral("F12")) * 3 + 30);
    auto* modifierGroup = new QButtonGroup(this);
    const char* modifierCaptions[] = {"Shift(&S)", "Ctrl(&C)", "Alt(&A)"};
    for (int m = 0; m < 3; ++m) {
        auto* radio = new QRadioButton(QString::fromUtf8(modifierCaptions[m]));
        SetControlId(radio, 1149 + m);
        modifierGroup->addButton(radio);
        m_modifiers[static_cast<std::size_t>(m)] = radio;
        connect(radio, &QRadioButton::clicked, this, &CFkeyDlg::SwitchKey);
    }
    m_commands = new QListWidget;
    SetControlId(m_commands, 1153);
    m_commands->setSelectionMode(QAbstractItemView::SingleSelection);
    m_commands->setEnabled(false);
    m_textCheck = new QCheckBox(QStringLiteral("テキストの挿入を割り当てる(&T)"));
    SetControlId(m_textCheck, 1105);
    m_textCheck->setEnabled(false);
    m_text = new QLineEdit;
    SetControlId(m_text, 1111);
    m_text->setValidator(new CByteLimitValidator(255, m_text));
    m_text->setEnabled(false);
    auto* textLabel = BuddyLabel(QStringLiteral("挿入するテキスト(&E)"), m_text);
    m_ok = new QPushButton(QStringLiteral("OK"));
    SetControlId(m_ok, 1);
    m_help = new QPushButton(QStringLiteral("ヘルプ(&H)"));
    SetControlId(m_help, 1180);

    auto* keyGroup = new QGroupBox(QStringLiteral("ﾌｧﾝｸｼｮﾝｷｰの選択(&F)"));
    auto* keyLayout = new QHBoxLayout(keyGroup);
    keyLayout->addWidget(m_keys, 1);
    auto* modifierLayout = new QVBoxLayout;
    for (QRadioButton* radio : m_modifiers)
        modifierLayout->addWidget(radio);
    modifierLayout->addStretch(1);
    keyLayout->addLayout(modifierLayout);
    auto* commandGroup = new QGroupBox(QStringLiteral("メニュー項目の選択(&M)"));
    auto* commandLayout = new QVBoxLayout(commandGroup);
    commandLayout->addWidget(m_commands);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addWidget(m_help);
    buttons->addStretch(1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(keyGroup, 0, 0);
    layout->addWidget(commandGroup, 0, 1);
    layout->addLayout(buttons, 0, 2);
    layout->addWidget(m_textCheck, 1, 0, 1, 2);
    layout->addWidget(textLabel, 2, 0, 1, 2);
    layout->addWidget(m_text, 3, 0, 1, 2);
    layout->setColumnStretch(0, 2);
    layout->setColumnStretch(1, 3);
    layout->setRowStretch(0, 1);
    m_ok->setDefault(true);
    resize(520, 400);

    connect(m_keys, &QListWidget::itemSelectionChanged, this, &CFkeyDlg::SwitchKey);
    connect(m_textCheck, &QCheckBox::toggled, this, &CFkeyDlg::ApplyTextCheck);
    connect(m_ok, &QPushButton::clicked, this, &CFkeyDlg::accept);
    connect(m_help, &QPushButton::clicked, this,
            [] { CHelpBinding::Instance().ShowTopic(kHelpTopicFunctionKeys); });
    CHelpKeyFilter::Install(this, kHelpTopicFunctionKeys);
    CFirstPaint::Install(this, [this] { FirstPaint(); });
}

void CFkeyDlg::FirstPaint() {
    m_modifiers[0]->setChecked(true);
    const QSignalBlocker quiet(m_keys);
    for (int f = 1; f <= 12; ++f)
        m_keys->addItem(QStringLiteral("F%1").arg(f));
    m_keys->setCurrentRow(-1);
    for (int id : kCommands)
        m_commands->addItem(CommandToolTip(id));
}

void CFkeyDlg::ApplyTextCheck(bool on) {
    m_commands->setEnabled(!on);
    m_text->setEnabled(on);
}

void CFkeyDlg::StoreShown(const QString& text) {
    if (m_currentKey == 0)
        return;
    const std::string bytes = EncodeForPage(text);
    if (m_textCheck->isChecked()) {
        m_table.Assign(m_currentKey, CFkeyTable::kText, 0, bytes);
        return;
    }
    const int row = SelectedRow(m_commands);
    if (row >= 0)
        m_table.Assign(m_currentKey, CFkeyTable::kCommand, kCommands[static_cast<std::size_t>(row)], bytes);
    else
        m_table.Assign(m_currentKey, CFkeyTable::kNone, 0, bytes);
}

void CFkeyDlg::ShowBinding(int kind, int value) {
    m_commands->clearSelection();
    if (kind == CFkeyTable::kText) {
        m_textCheck->setChecked(true);
        ApplyTextCheck(true);
        m_text->setText(Cp932::Decode(m_table.GetText(value)));
        return;
    }
    m_textCheck->setChecked(false);
    ApplyTextCheck(false);
    m_text->clear();
    m_commands->setCurrentRow(-1);
    if (kind != CFkeyTable::kCommand)
        return;
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (kCommands[i] == value) {
            m_commands->setCurrentRow(static_cast<int>(i));
            m_commands->scrollToItem(m_commands->item(static_cast<int>(i)));
            break;
        }
    }
}

void CFkeyDlg::SwitchKey() {
    const QString text = m_text->text();
    StoreShown(text);
    const int m = m_modifiers[0]->isChecked() ? 1 : m_modifiers[1]->isChecked() ? 2 : 3;
    const int key = SelectedRow(m_keys) * 4 + m + 4;
    if (const auto found = m_table.Find(key)) {
        m_textCheck->setEnabled(true);
        ShowBinding(found->kind, found->value);
    }
    m_currentKey = key;
}

void CFkeyDlg::accept() {
    SwitchKey();
    QDialog::accept();
}
