#include "uninstall/UninstallAboutDlg.h"

#include "resources/ProgramIcon.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CUninstallAboutDlg::CUninstallAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("uninstのﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(UninstallIcon());

    auto* icon = new QLabel(this);
    icon->setPixmap(UninstallIcon().pixmap(32));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* text = new QVBoxLayout;
    text->setSpacing(6);
    text->addWidget(new QLabel(QStringLiteral("Brellmoor uninstaller Version 0.90"), this));
    text->addWidget(new QLabel(QStringLiteral("Copyright (C) Brellmoor"), this));
    text->addStretch();

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setMinimumWidth(76);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(icon);
    top->addLayout(text, 1);
    top->addWidget(ok, 0, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(top);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(340);
}
