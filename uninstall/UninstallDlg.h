#pragma once

#include <QDialog>
#include <QMessageBox>

#include <functional>
#include <memory>

class QLineEdit;
class QPushButton;
class QToolButton;

// The uninstaller's one window: a line of explanation, OK (delete the product's settings)
// and Cancel (change nothing). Its About box is reached from the window's context menu and
// from the "?" button, since Linux window managers let no program extend the window menu.
class CUninstallDlg : public QDialog {
    Q_OBJECT
public:
    // Shows a message box of this program; tests replace it so that nothing blocks.
    using MessageFunction = std::function<void(QMessageBox::Icon icon, const QString& text)>;

    explicit CUninstallDlg(QWidget* parent = nullptr);

    void SetMessageFunction(MessageFunction function) { m_message = std::move(function); }

    // The message box the real message function shows: a close button only, a fixed size,
    // and wide enough that the window manager's title bar shows the whole caption.
    static std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                                       const QString& caption, const QString& text);
    // The font of the uninstaller's windows as the template gives it: a Japanese interface
    // face at 9 points. Call once, after the QApplication is made and before any window.
    static void UseTemplateFont();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void DeleteProfile();
    void ShowAbout();

    QLineEdit* m_explanation;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    MessageFunction m_message;
};
