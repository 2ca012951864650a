#include "app/AboutDlg.h"

#include "resources/ProgramIcon.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Vuroのﾊﾞｰｼﾞｮﾝ情報"));
    QFont dialogFont(QStringLiteral("ＭＳ Ｐゴシック"));
    dialogFont.setPointSize(9);
    setFont(dialogFont);

    auto* icon = new QLabel;
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    auto* name = new QLabel(QStringLiteral("Vuro Version 0.95"));
    auto* line =
        new QLabel(QStringLiteral("Shift-JIS の HTML を書くためのエディタ  Copyright (C) Brellmoor"));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(line, 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(14);
}
