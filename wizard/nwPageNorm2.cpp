#include "wizard/nwPageNorm2.h"

#include "platform/AttributeButton.h"
#include "platform/FirstPaint.h"
#include "platform/InputMethod.h"
#include "wizard/NormalPageText.h"
#include "wizard/WizardFields.h"
#include "wizard/newWizPSheet.h"
#include "wizard/nwPageNorm1.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kImageFilter =
    QStringLiteral("Image File(*.gif;*.jpg;*.jpeg,*.png)|*.gif;*.jpg;*.jpeg;*.png|All(*.*)|*.*||");

struct AttributeControl {
    const char* caption;
    int buttonId;
    int valueId;
};
constexpr AttributeControl kControls[] = {
    {"back&ground=", 1103, 1109}, {"bg&color=", 1023, 1030}, {"&text=", 1105, 1111},
    {"&link=", 1107, 1112},       {"&vlink=", 1106, 1113},   {"&alink=", 1108, 1114},
};

} // namespace

CnwPageNorm2::CnwPageNorm2(CnewWizPSheet& sheet) : m_sheet(sheet) {
    for (std::size_t i = 0; i < kAttributes; ++i) {
        m_buttons[i] = new CAttributeButton(QString::fromUtf8(kControls[i].caption));
        m_values[i] = new QLineEdit;
        DetachInputMethod(m_values[i]);
        SetControlId(m_buttons[i], kControls[i].buttonId);
        SetControlId(m_values[i], kControls[i].valueId);
        m_buttons[i]->SetValueControls({m_values[i]});
    }
    m_browse = new QPushButton(QStringLiteral("参照(&R)"));
    m_browse->setAutoDefault(false);
    m_browse->setEnabled(false);
    m_centering = new QCheckBox(QStringLiteral("センタリング(&C)"));
    m_javaScript = new QCheckBox(QStringLiteral("JavaScript(&J)"));
    SetControlId(m_browse, 1140);
    SetControlId(m_centering, 1115);
    SetControlId(m_javaScript, 1147);

    auto* body = new QGroupBox(QStringLiteral("BODYタグの設定"));
    auto* grid = new QGridLayout(body);
    grid->addWidget(m_buttons[0], 0, 0);
    grid->addWidget(m_values[0], 0, 1, 1, 3);
    auto* browseRow = new QHBoxLayout;
    browseRow->addStretch();
    browseRow->addWidget(m_browse);
    grid->addLayout(browseRow, 1, 0, 1, 4);
    // The colours in two columns: bgcolor and text, link and vlink, alink.
    for (std::size_t i = 1; i < kAttributes; ++i) {
        const int row = 2 + static_cast<int>(i - 1) / 2;
        const int column = static_cast<int>(i - 1) % 2 * 2;
        grid->addWidget(m_buttons[i], row, column);
        grid->addWidget(m_values[i], row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* other = new QGroupBox(QStringLiteral("その他の設定"));
    auto* otherLayout = new QHBoxLayout(other);
    otherLayout->addWidget(m_centering);
    otherLayout->addWidget(m_javaScript);
    otherLayout->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(body);
    layout->addWidget(other);
    layout->addStretch();

    connect(m_buttons[0], &QPushButton::toggled, this, &CnwPageNorm2::UpdateBrowse);
    connect(m_browse, &QPushButton::clicked, this, &CnwPageNorm2::OnBrowse);
    m_firstPaint = CFirstPaint::Install(this, [this] {
        for (std::size_t i = 1; i < kAttributes; ++i) {
            m_buttons[i]->SetOn(true);
            m_values[i]->setText(QStringLiteral("#"));
        }
    });
}

int CnwPageNorm2::nextId() const {
    return -1;
}

void CnwPageNorm2::initializePage() {
    UpdateBrowse();
}

void CnwPageNorm2::UpdateBrowse() {
    m_browse->setEnabled(m_buttons[0]->IsOn() && !m_sheet.FilePath().isEmpty());
}

void CnwPageNorm2::OnBrowse() {
    BrowseIntoField(m_values[0], m_sheet.FilePath(), kImageFilter);
}

bool CnwPageNorm2::validatePage() {
    m_firstPaint->EnsureDone();
    CnwPageNorm1& head = *m_sheet.PageNorm1();
    head.EnsureSetUp();
    // Only what is written is encoded, so the user hears only of characters in the page.
    const bool refresh = head.RefreshOn();
    const bool expires = head.ExpiresOn();
    CPageFieldEncoder encode;
    CNormalPageInput in;
    in.title = encode(head.Title());
    in.refresh = refresh;
    in.refreshSeconds = encode(refresh ? head.RefreshSeconds() : QString());
    in.refreshUrl = encode(refresh ? head.RefreshUrl() : QString());
    in.expires = expires;
    in.expiryDate = encode(expires ? head.ExpiryDate() : QString());
    in.metaTags = head.MetaList();
    in.javaScript = m_javaScript->isChecked();
    CNormalPageInput::Attribute* attributes[kAttributes] = {&in.background, &in.bgcolor, &in.text,
                                                            &in.link,       &in.vlink,   &in.alink};
    for (std::size_t i = 0; i < kAttributes; ++i) {
        const bool on = m_buttons[i]->IsOn();
        *attributes[i] = {on, encode(on ? m_values[i]->text() : QString())};
    }
    encode.TellUnrepresentable();
    in.centering = m_centering->isChecked();
    m_sheet.SetGeneratedText(ComposeNormalPage(in));
    return true;
}
