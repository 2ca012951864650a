#include "settings/toolbarPPage.h"
#include "platform/DialogControls.h"

#include "platform/HelpTopics.h"
#include "platform/ProfileSettings.h"
#include "platform/TbButtonInfo.h"
#include "resources/CommandTable.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QListWidget* MakeList(int id) {
    auto* list = new QListWidget;
    SetControlId(list, id);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSortingEnabled(false);
    return list;
}

} // namespace

CtoolbarPPage::CtoolbarPPage(std::vector<std::unique_ptr<CTbButtonInfo>>& buttons, QWidget* parent)
    : CSettingsPage(QStringLiteral("ツールバー"), kHelpTopicSettingToolBar, parent), m_buttons(buttons),
      m_type(ProfileSettings::ToolBarType()) {
    m_hiddenList = MakeList(1080);
    m_shownList = MakeList(1081);
    m_add = new QPushButton(QStringLiteral("追加(&A)→"));
    m_remove = new QPushButton(QStringLiteral("←削除(&D)"));
    SetControlId(m_add, 1082);
    SetControlId(m_remove, 1083);
    m_add->setEnabled(false);
    m_remove->setEnabled(false);
    auto* hiddenLabel = BuddyLabel(QStringLiteral("表示しないボタン(&H)"), m_hiddenList);
    auto* shownLabel = BuddyLabel(QStringLiteral("表示するボタン(&S)"), m_shownList);

    auto* type = new QGroupBox(QStringLiteral("ツールバーのタイプ"));
    m_textType = new QRadioButton(QStringLiteral("文字タイプ(&C)"));
    m_imageType = new QRadioButton(QStringLiteral("イメージタイプ(&I)"));
    SetControlId(m_textType, 1085);
    SetControlId(m_imageType, 1086);
    auto* typeLayout = new QHBoxLayout(type);
    typeLayout->addWidget(m_textType);
    typeLayout->addWidget(m_imageType);
    typeLayout->addStretch(1);
    auto* typeGroup = new QButtonGroup(this);
    typeGroup->addButton(m_textType);
    typeGroup->addButton(m_imageType);

    auto* moves = new QVBoxLayout;
    moves->addStretch(1);
    moves->addWidget(m_add);
    moves->addWidget(m_remove);
    moves->addStretch(1);
    auto* layout = new QGridLayout(this);
    layout->addWidget(hiddenLabel, 0, 0);
    layout->addWidget(shownLabel, 0, 2);
    layout->addWidget(m_hiddenList, 1, 0);
    layout->addLayout(moves, 1, 1);
    layout->addWidget(m_shownList, 1, 2);
    layout->addWidget(type, 2, 0, 1, 3);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(2, 1);

    connect(m_hiddenList, &QListWidget::itemSelectionChanged, this,
            [this] { m_add->setEnabled(!m_hiddenList->selectedItems().isEmpty()); });
    connect(m_shownList, &QListWidget::itemSelectionChanged, this,
            [this] { m_remove->setEnabled(!m_shownList->selectedItems().isEmpty()); });
    connect(m_add, &QPushButton::clicked, this, [this] { Move(m_hiddenList, m_hiddenMap, 0); });
    connect(m_remove, &QPushButton::clicked, this, [this] { Move(m_shownList, m_shownMap, 1); });
    connect(m_textType, &QRadioButton::clicked, this, [this] { m_type = 1; });
    connect(m_imageType, &QRadioButton::clicked, this, [this] { m_type = 0; });
}

void CtoolbarPPage::FirstPaint() {
    (m_type != 0 ? m_textType : m_imageType)->setChecked(true);
    FillLists();
}

void CtoolbarPPage::FillLists() {
    m_hiddenList->clear();
    m_shownList->clear();
    m_hiddenMap.clear();
    m_shownMap.clear();
    m_add->setEnabled(false);
    m_remove->setEnabled(false);
    for (int hidden : {1, 0}) {
        QListWidget* list = hidden ? m_hiddenList : m_shownList;
        std::vector<std::size_t>& map = hidden ? m_hiddenMap : m_shownMap;
        for (std::size_t i = 0; i < m_buttons.size() && map.size() < kMaxEntries; ++i) {
            if ((m_buttons[i]->m_hidden != 0) != (hidden != 0))
                continue;
            list->addItem(CommandToolTip(static_cast<int>(m_buttons[i]->m_commandId)));
            map.push_back(i);
        }
    }
}

void CtoolbarPPage::Move(QListWidget* list, const std::vector<std::size_t>& map, int hidden) {
    std::vector<int> rows;
    for (const QListWidgetItem* item : list->selectedItems())
        rows.push_back(list->row(item));
    std::sort(rows.begin(), rows.end());
    if (rows.size() > kMaxEntries)
        rows.resize(kMaxEntries);
    for (int row : rows)
        if (row >= 0 && static_cast<std::size_t>(row) < map.size())
            m_buttons[map[static_cast<std::size_t>(row)]]->m_hidden = hidden;
    FillLists();
}
