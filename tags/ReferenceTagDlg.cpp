#include "tags/ReferenceTagDlg.h"
#include "platform/DialogControls.h"

#include "platform/Cp932.h"
#include "platform/FirstPaint.h"
#include "platform/HelpKeyFilter.h"
#include "platform/HelpTopics.h"
#include "platform/PageText.h"
#include "platform/RelativePath.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kBrowseId = 1140;

// The edited file's folder with its trailing separator.
QString FolderOf(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.left(slash + 1);
}

} // namespace

CReferenceTagDlg::CReferenceTagDlg(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    m_rows = new QGridLayout;
    m_rows->setHorizontalSpacing(6);
    m_rows->setVerticalSpacing(6);

    m_browse = new QPushButton(QStringLiteral("参照(&R)"));
    SetControlId(m_browse, kBrowseId);
    m_browse->setAutoDefault(false);

    const auto [ok, cancel] = MakeOkCancelButtons(this);
    auto* buttons = ButtonColumn({ok, cancel});

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(m_rows);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    // The derived dialog is complete by the time the window is painted.
    m_firstPaint = CFirstPaint::Install(this, [this] { SetUp(); });
    CHelpKeyFilter::Install(this, kHelpTopicTagDialog);
}

void CReferenceTagDlg::EnableBrowse(bool attributeOn) {
    m_browse->setEnabled(attributeOn && !m_reference.isEmpty());
}

std::optional<QString> CReferenceTagDlg::Browse(const QString& filter, QString* chosenPath) {
    if (m_reference.isEmpty())
        return std::nullopt;
    return BrowseRelative(m_reference, filter, FolderOf(m_reference), chosenPath);
}

std::string CReferenceTagDlg::FieldBytes(const QString& text, bool written) {
    return written ? EncodeForPage(text) : Cp932::EncodeWithReferences(text).bytes;
}

void CReferenceTagDlg::accept() {
    m_firstPaint->EnsureDone();
    TakeValues();
    QDialog::accept();
}
