#pragma once

#include <QDialog>

// The uninstaller's About box: its icon, name and version, and an OK button.
class CUninstallAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CUninstallAboutDlg(QWidget* parent = nullptr);
};
