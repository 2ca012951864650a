#include "tags/InsImgDlg.h"
#include "platform/DialogControls.h"

#include "platform/AttributeButton.h"
#include "platform/Cp932.h"
#include "platform/InputMethod.h"
#include "platform/UpDownEdit.h"
#include "tags/HistoryComboBox.h"
#include "tags/ImageSize.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kNumberWidth = 64;

const QString kFilter =
    QStringLiteral("Image File(*.gif;*.jpg;*.jpeg,*.png)|*.gif;*.jpg;*.jpeg;*.png|All(*.*)|*.*||");

CUpDownEdit* NumberField(int fieldId, int spinId) {
    auto* number = new CUpDownEdit;
    SetControlId(number, spinId);
    SetControlId(number->Field(), fieldId);
    number->Field()->setAlignment(Qt::AlignRight);
    number->setFixedWidth(kNumberWidth + 17);
    return number;
}

CAttributeButton* Button(const char* caption, int id) {
    auto* button = new CAttributeButton(QString::fromLatin1(caption));
    SetControlId(button, id);
    return button;
}

} // namespace

CInsImgDlg::CInsImgDlg(QWidget* parent) : CReferenceTagDlg(QStringLiteral("<IMG>タグの挿入"), parent) {
    m_src = new CHistoryComboBox;
    SetControlId(m_src, 1004);
    // Every drop-down shows the history as it was when the dialog opened.
    m_src->SetRefill([this] { return m_sources.Filled(); });
    auto* srcLabel = BuddyLabel(QStringLiteral("&src="), m_src);
    srcLabel->setAlignment(Qt::AlignCenter);

    m_altOn = Button("&alt=", 1090);
    m_alt = new QLineEdit;
    SetControlId(m_alt, 1005);
    m_widthOn = Button("&width=", 1011);
    m_width = NumberField(1006, 1016);
    m_heightOn = Button("&height=", 1012);
    m_height = NumberField(1007, 1019);
    m_borderOn = Button("&border=", 1013);
    m_border = NumberField(1008, 1014);
    m_alignOn = Button("a&lign=", 1024);
    m_align = new QComboBox;
    SetControlId(m_align, 1034);

    m_altOn->SetValueControls({m_alt});
    m_widthOn->SetValueControls({m_width});
    m_heightOn->SetValueControls({m_height});
    m_borderOn->SetValueControls({m_border});
    m_alignOn->SetValueControls({m_align});
    // The rows the first paint switches on are enabled from the start.
    m_alt->setEnabled(true);
    m_border->setEnabled(true);

    QGridLayout& rows = *Rows();
    rows.addWidget(srcLabel, 0, 0);
    rows.addWidget(m_src, 0, 1, 1, 3);
    rows.addWidget(BrowseButton(), 0, 4);
    rows.addWidget(m_altOn, 1, 0);
    rows.addWidget(m_alt, 1, 1, 1, 3);
    rows.addWidget(m_widthOn, 2, 0);
    rows.addWidget(m_width, 2, 1, Qt::AlignLeft);
    rows.addWidget(m_heightOn, 2, 2);
    rows.addWidget(m_height, 2, 3, Qt::AlignLeft);
    rows.addWidget(m_borderOn, 3, 0);
    rows.addWidget(m_border, 3, 1, Qt::AlignLeft);
    rows.addWidget(m_alignOn, 3, 2);
    rows.addWidget(m_align, 3, 3, Qt::AlignLeft);

    connect(BrowseButton(), &QPushButton::clicked, this, &CInsImgDlg::OnBrowse);
    // The source is what the user types first.
    m_src->setFocus();
}

CInsImgDlg::~CInsImgDlg() {
    m_sources.Save();
}

void CInsImgDlg::SetUp() {
    m_align->clear();
    for (const std::string& word : kAlignWords)
        m_align->addItem(QString::fromLatin1(word.data(), static_cast<qsizetype>(word.size())));
    m_fields.alignPosition = 1;
    m_border->SetRange(0, 20);
    m_width->SetRange(10, 1000);
    m_height->SetRange(10, 1000);
    m_borderOn->SetOn(true);
    m_altOn->SetOn(true);
    m_height->SetText(QStringLiteral("100"));
    m_width->SetText(QStringLiteral("100"));
    m_border->SetText(QStringLiteral("0"));
    m_align->setCurrentIndex(m_fields.alignPosition);
    EnableBrowse(true);
    for (QWidget* field : {static_cast<QWidget*>(m_border->Field()), static_cast<QWidget*>(m_width->Field()),
                           static_cast<QWidget*>(m_height->Field()), static_cast<QWidget*>(m_src)})
        DetachInputMethod(field);
}

void CInsImgDlg::OnBrowse() {
    QString chosen;
    const auto relative = Browse(kFilter, &chosen);
    if (!relative)
        return;
    m_src->setEditText(*relative);
    // The size is only offered: width and height are written when the user switches them on.
    if (const auto size = GetImageSize(chosen, FileExtension(chosen))) {
        m_width->SetText(QString::number(size->width));
        m_height->SetText(QString::number(size->height));
    }
}

void CInsImgDlg::TakeValues() {
    m_fields.src = FieldBytes(m_src->currentText(), true);
    m_fields.altOn = m_altOn->IsOn();
    m_fields.alt = FieldBytes(m_alt->text(), m_fields.altOn);
    // Only the leading digits of the numbers reach the page.
    m_fields.widthOn = m_widthOn->IsOn();
    m_fields.width = Cp932::Encode(m_width->Text()).bytes;
    m_fields.heightOn = m_heightOn->IsOn();
    m_fields.height = Cp932::Encode(m_height->Text()).bytes;
    m_fields.borderOn = m_borderOn->IsOn();
    m_fields.border = Cp932::Encode(m_border->Text()).bytes;
    m_fields.alignOn = m_alignOn->IsOn();
    m_fields.alignPosition = m_align->currentIndex();
    m_sources.Push(m_fields.src);
}
