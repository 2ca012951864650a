#include "wizard/FrameOptDlg.h"
#include "platform/DialogControls.h"

#include "platform/AttributeButton.h"
#include "platform/FirstPaint.h"
#include "platform/InputMethod.h"
#include "platform/UpDownEdit.h"
#include "wizard/FramePageText.h"
#include "wizard/WizardFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CFrameOptDlg::CFrameOptDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("FRAMEの設定"));
    m_marginHeightOn = new CAttributeButton(QStringLiteral("margin&height="));
    m_marginWidthOn = new CAttributeButton(QStringLiteral("margin&width="));
    m_scrollingOn = new CAttributeButton(QStringLiteral("&scrolling="));
    m_noResize = new CAttributeButton(QStringLiteral("&noresize"));
    m_marginHeight = new CUpDownEdit;
    m_marginWidth = new CUpDownEdit;
    m_scrolling = new QComboBox;
    for (CUpDownEdit* margin : {m_marginHeight, m_marginWidth}) {
        margin->Field()->setAlignment(Qt::AlignRight);
        margin->setMaximumWidth(72);
        DetachInputMethod(margin->Field());
    }
    SetControlId(m_marginHeightOn, 1217);
    SetControlId(m_marginWidthOn, 1218);
    SetControlId(m_scrollingOn, 1220);
    SetControlId(m_noResize, 1219);
    SetControlId(m_marginHeight->Field(), 1221);
    SetControlId(m_marginHeight, 1224);
    SetControlId(m_marginWidth->Field(), 1222);
    SetControlId(m_marginWidth, 1225);
    SetControlId(m_scrolling, 1223);
    m_marginHeightOn->SetValueControls({m_marginHeight});
    m_marginWidthOn->SetValueControls({m_marginWidth});
    m_scrollingOn->SetValueControls({m_scrolling});

    const auto [ok, cancel] = MakeOkCancelButtons(this);

    auto* grid = new QGridLayout;
    grid->addWidget(m_marginHeightOn, 0, 0);
    grid->addWidget(m_marginHeight, 0, 1, Qt::AlignLeft);
    grid->addWidget(m_marginWidthOn, 1, 0);
    grid->addWidget(m_marginWidth, 1, 1, Qt::AlignLeft);
    grid->addWidget(m_scrollingOn, 2, 0);
    grid->addWidget(m_scrolling, 2, 1);
    grid->addWidget(m_noResize, 3, 0);
    grid->setColumnStretch(1, 1);
    auto* buttons = ButtonColumn({ok, cancel});
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    m_firstPaint = CFirstPaint::Install(this, [this] {
        for (CUpDownEdit* margin : {m_marginHeight, m_marginWidth}) {
            margin->SetRange(0, 100);
            margin->SetText(QStringLiteral("0"));
        }
        m_scrolling->clear();
        m_scrolling->addItems({QStringLiteral("auto"), QStringLiteral("yes"), QStringLiteral("no")});
        m_scrolling->setCurrentIndex(0);
    });
}

void CFrameOptDlg::accept() {
    m_firstPaint->EnsureDone();
    CFrameOptions options;
    options.marginHeightOn = m_marginHeightOn->IsOn();
    options.marginHeight = m_marginHeight->Text().toStdString();
    options.marginWidthOn = m_marginWidthOn->IsOn();
    options.marginWidth = m_marginWidth->Text().toStdString();
    options.scrollingOn = m_scrollingOn->IsOn();
    options.scrollingIndex = m_scrolling->currentIndex();
    options.noResize = m_noResize->IsOn();
    // The margins are read as numbers, so their other characters never reach the page.
    m_options = ComposeFrameOptions(options);
    QDialog::accept();
}
