#include "tags/TagAttributeDlg.h"
#include "platform/DialogControls.h"

#include "platform/AttributeButton.h"
#include "platform/Cp932.h"
#include "platform/FirstPaint.h"
#include "platform/HelpKeyFilter.h"
#include "platform/HelpTopics.h"
#include "platform/InputMethod.h"
#include "platform/PageText.h"
#include "platform/UpDownEdit.h"
#include "tags/TagValues.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kNumberWidth = 64;
constexpr int kTextWidth = 100;
constexpr int kListWidth = 90;
constexpr int kArrowsWidth = 17;

} // namespace

CTagAttributeDlg::CTagAttributeDlg(const CTagForm& form, QWidget* parent) : QDialog(parent), m_form(form) {
    setWindowTitle(form.title);
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    m_rows.resize(form.rows.size());
    for (std::size_t i = 0; i < form.rows.size(); ++i)
        AddRow(form.rows[i], static_cast<int>(i), *grid);
    grid->setRowStretch(static_cast<int>(form.rows.size()), 1);

    const auto [ok, cancel] = MakeOkCancelButtons(this);
    m_ok = ok;
    if (form.okNeedsAttribute) {
        m_ok->setEnabled(false);
        for (CRowControls& row : m_rows)
            connect(row.button, &CAttributeButton::toggled, m_ok, [this](bool on) {
                if (on)
                    m_ok->setEnabled(true);
            });
    }
    auto* buttons = ButtonColumn({m_ok, cancel});

    auto* layout = new QHBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    m_firstPaint = CFirstPaint::Install(this, [this] { SetUp(); });
    CHelpKeyFilter::Install(this, kHelpTopicTagDialog);
}

void CTagAttributeDlg::AddRow(const CAttributeSpec& spec, int line, QGridLayout& grid) {
    CRowControls& row = m_rows[static_cast<std::size_t>(line)];
    row.button = new CAttributeButton(spec.caption);
    SetControlId(row.button, spec.buttonId);
    grid.addWidget(row.button, line, 0);
    std::vector<QWidget*> controls;
    switch (spec.form) {
    case CAttributeForm::Number:
    case CAttributeForm::NumberOrPercent:
        row.number = new CUpDownEdit;
        SetControlId(row.number, spec.spinId);
        SetControlId(row.number->Field(), spec.valueId);
        row.number->setFixedWidth(kNumberWidth + kArrowsWidth);
        row.field = row.number->Field();
        grid.addWidget(row.number, line, 1, Qt::AlignLeft);
        controls.push_back(row.number);
        if (spec.form == CAttributeForm::NumberOrPercent) {
            row.percent = new QCheckBox(QStringLiteral("&%"));
            SetControlId(row.percent, spec.percentId);
            grid.addWidget(row.percent, line, 2);
            controls.push_back(row.percent);
            connect(row.percent, &QCheckBox::toggled, row.number, [number = row.number](bool on) {
                const CNumberRange range = on ? kPercentRange : kPixelRange;
                number->SetRange(range.minimum, range.maximum);
            });
        }
        break;
    case CAttributeForm::Text:
        row.field = new QLineEdit;
        SetControlId(row.field, spec.valueId);
        row.field->setFixedWidth(kTextWidth);
        grid.addWidget(row.field, line, 1, 1, 2, Qt::AlignLeft);
        controls.push_back(row.field);
        break;
    case CAttributeForm::Choice:
        row.list = new QComboBox;
        SetControlId(row.list, spec.valueId);
        row.list->setFixedWidth(kListWidth);
        if (spec.editableList) {
            row.list->setEditable(true);
            row.list->setInsertPolicy(QComboBox::NoInsert);
            row.list->setCompleter(nullptr);
            const std::size_t index = static_cast<std::size_t>(line);
            connect(row.list->lineEdit(), &QLineEdit::textEdited, this,
                    [this, index] { m_rows[index].typedIntoList = true; });
            connect(row.list, &QComboBox::activated, this,
                    [this, index] { m_rows[index].typedIntoList = false; });
        }
        grid.addWidget(row.list, line, 1, 1, 2, Qt::AlignLeft);
        controls.push_back(row.list);
        break;
    case CAttributeForm::Bare:
        break;
    }
    for (QWidget* control : controls)
        row.button->AddValueControl(control);
    // The controls of a row that the first paint switches on are enabled from the start.
    if (spec.initiallyOn) {
        for (QWidget* control : controls)
            control->setEnabled(true);
    }
}

void CTagAttributeDlg::SetUp() {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const CAttributeSpec& spec = m_form.rows[i];
        CRowControls& row = m_rows[i];
        if (spec.initiallyOn)
            row.button->SetOn(true);
        if (row.number) {
            const CNumberRange range = spec.form == CAttributeForm::NumberOrPercent
                                           ? (spec.percentInitiallyOn ? kPercentRange : kPixelRange)
                                           : spec.range;
            row.number->SetRange(range.minimum, range.maximum);
        }
        if (row.percent)
            row.percent->setChecked(spec.percentInitiallyOn);
        if (row.field) {
            row.field->setText(Cp932::Decode(spec.initialText));
            DetachInputMethod(row.field);
        }
        if (row.list) {
            row.list->clear();
            for (const std::string& word : spec.choices)
                row.list->addItem(Cp932::Decode(word));
            row.list->setCurrentIndex(spec.initialChoice);
            row.typedIntoList = false;
        }
    }
}

void CTagAttributeDlg::ReadControls(CTagValues& values) const {
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const CAttributeSpec& spec = m_form.rows[i];
        const CRowControls& row = m_rows[i];
        CAttributeEntry& entry = values.At(i);
        entry.on = row.button->IsOn();
        if (row.field) {
            // Free text goes into the page, so the user hears of characters written as
            // references; a number field only needs its digits.
            entry.text = spec.form == CAttributeForm::Text && entry.on
                             ? EncodeForPage(row.field->text())
                             : Cp932::Encode(row.field->text()).bytes;
        }
        if (row.list)
            entry.position = row.typedIntoList ? -1 : row.list->currentIndex();
        if (row.percent)
            entry.percent = row.percent->isChecked();
    }
}

void CTagAttributeDlg::accept() {
    m_firstPaint->EnsureDone();
    CTagValues values(m_form);
    ReadControls(values);
    m_result = values.Tag();
    QDialog::accept();
}
