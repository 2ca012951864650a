#include "wizard/SkelCustomDlg.h"
#include "platform/DialogControls.h"

#include "platform/Cp932.h"
#include "platform/FirstPaint.h"
#include "platform/HelpBinding.h"
#include "platform/HelpKeyFilter.h"
#include "platform/HelpTopics.h"
#include "platform/PlatformUi.h"
#include "wizard/SkelEditDlg.h"
#include "wizard/SkeletonFile.h"
#include "wizard/WizardFields.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kImportFilter = QStringLiteral(
    "HTML Document(*.html;*.htm;*.shtml)|*.html;*.htm;*.shtml|ﾃｷｽﾄﾌｧｲﾙ(*.txt)|*.txt|すべて(*.*)|*.*||");

} // namespace

CSkelCustomDlg::CSkelCustomDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("スケルトンのカスタマイズ"));
    const CSkelLoadReport loaded = LoadSkeletonFile(m_skeletons);
    m_keepOldFile = loaded.leftOut || (!loaded.opened && QFileInfo::exists(SkeletonFilePath()));
    if (loaded.leftOut)
        Ui().Ask(QStringLiteral(
                     "スケルトン定義ファイルの一部（51個目以降のスケルトン、または区切り行のない最後のスケル"
                     "トン）は読み込めませんでした。\nOKで保存するときは、元のファイルを vuroskel.bak "
                     "として残します。"),
                 CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);

    m_editDlg = new CSkelEditDlg(this);
    m_list = new QListWidget;
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_comment = new QLineEdit;
    m_comment->setReadOnly(true);
    m_edit = new QPushButton(QStringLiteral("編集(&E)"));
    m_delete = new QPushButton(QStringLiteral("削除(&D)"));
    auto* add = new QPushButton(QStringLiteral("新規(&N)"));
    auto* import = new QPushButton(QStringLiteral("ﾌｧｲﾙからｲﾝﾎﾟｰﾄ(&I)"));
    const auto [ok, cancel] = MakeOkCancelButtons(this);
    auto* help = new QPushButton(QStringLiteral("ヘルプ(&H)"));
    m_edit->setEnabled(false);
    m_delete->setEnabled(false);
    for (QPushButton* b : {m_edit, m_delete, add, import, cancel, help})
        b->setAutoDefault(false);
    SetControlId(m_list, 1116);
    SetControlId(m_comment, 1117);
    SetControlId(m_edit, 1123);
    SetControlId(m_delete, 1083);
    SetControlId(add, 1125);
    SetControlId(import, 1127);
    SetControlId(help, 1180);

    auto* side = new QVBoxLayout;
    side->addWidget(m_edit);
    side->addWidget(m_delete);
    side->addWidget(add);
    side->addWidget(import);
    side->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    bottom->addWidget(help);
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_list, 0, 0);
    layout->addLayout(side, 0, 1);
    layout->addWidget(m_comment, 1, 0);
    layout->addLayout(bottom, 2, 0, 1, 2);
    layout->setRowStretch(0, 1);
    resize(460, 320);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &CSkelCustomDlg::ShowSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CSkelCustomDlg::OnEdit);
    connect(m_edit, &QPushButton::clicked, this, &CSkelCustomDlg::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &CSkelCustomDlg::OnDelete);
    connect(add, &QPushButton::clicked, this, &CSkelCustomDlg::OnNew);
    connect(import, &QPushButton::clicked, this, &CSkelCustomDlg::OnImport);
    connect(help, &QPushButton::clicked, this,
            [] { CHelpBinding::Instance().ShowTopic(kHelpTopicSkeletonCustom); });
    CHelpKeyFilter::Install(this, kHelpTopicSkeletonCustom);
    CFirstPaint::Install(this, [this] { Refill(); });
}

void CSkelCustomDlg::ShowSelection() {
    const int row = SelectedRow(m_list);
    if (row < 0)
        return;
    m_comment->setText(Cp932::Decode(m_skeletons[static_cast<std::size_t>(row)].comment));
    m_edit->setEnabled(true);
    m_delete->setEnabled(true);
}

void CSkelCustomDlg::Refill() {
    FillTitleList(m_list, m_skeletons);
}

void CSkelCustomDlg::Select(int row) {
    if (row >= 0 && row < m_list->count())
        m_list->setCurrentRow(row);
    ShowSelection();
}

bool CSkelCustomDlg::HasRoom() {
    if (m_skeletons.size() < kMaxSkeletons)
        return true;
    Ui().Ask(QStringLiteral("スケルトンは５０個以上登録できません。\n不要なスケルトンを削除して下さい"));
    return false;
}

void CSkelCustomDlg::Append(CSkelItem item) {
    m_skeletons.push_back(std::move(item));
    Refill();
    Select(m_list->count() - 1);
}

void CSkelCustomDlg::OnEdit() {
    const int row = SelectedRow(m_list);
    if (row < 0)
        return;
    CSkelItem& item = m_skeletons[static_cast<std::size_t>(row)];
    m_editDlg->SetItem(item);
    if (Ui().RunDialog(*m_editDlg) != QDialog::Accepted)
        return;
    item = m_editDlg->Item();
    Refill();
    Select(row);
}

void CSkelCustomDlg::OnDelete() {
    const int row = SelectedRow(m_list);
    if (row < 0)
        return;
    CSkelItem& item = m_skeletons[static_cast<std::size_t>(row)];
    const auto answer = Ui().Ask(Cp932::Decode(item.title) + QStringLiteral("を削除してよろしいですか？"),
                                 CPlatformUi::Buttons::YesNo, CPlatformUi::Icon::Question, 2);
    if (answer != CPlatformUi::Answer::Yes)
        return;
    // Items with an empty title go with it: they would not survive the next load anyway.
    item.title.clear();
    std::erase_if(m_skeletons, [](const CSkelItem& s) { return s.title.empty(); });
    Refill();
    if (!m_skeletons.empty())
        Select(std::min(std::max(row - 1, 0), static_cast<int>(m_skeletons.size()) - 1));
}

void CSkelCustomDlg::OnNew() {
    if (!HasRoom())
        return;
    m_editDlg->SetItem(CSkelItem());
    if (Ui().RunDialog(*m_editDlg) != QDialog::Accepted)
        return;
    Append(m_editDlg->Item());
}

void CSkelCustomDlg::OnImport() {
    if (!HasRoom())
        return;
    CPlatformUi::FileDialog request;
    request.filter = kImportFilter;
    request.mustExist = true;
    const auto chosen = Ui().AskFileName(request);
    if (!chosen)
        return;
    CSkelImport imported = ImportSkeleton(*chosen);
    if (!imported.item) {
        Ui().Ask(imported.problem, CPlatformUi::Buttons::Ok, CPlatformUi::Icon::Warning);
        return;
    }
    Append(std::move(*imported.item));
}

void CSkelCustomDlg::accept() {
    if (!SaveSkeletonFile(m_skeletons, m_keepOldFile))
        return;
    m_keepOldFile = false;
    QDialog::accept();
}
