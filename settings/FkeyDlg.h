#pragma once

#include <QDialog>

#include <array>

class CFirstPaint;
class CFkeyTable;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The dialog "ファンクションキーの設定": choose a function key and a modifier, then bind
// it to a menu command or to a text to insert. Each switch of key stores the binding shown
// for the key before it; OK stores the last one, Escape does not.
class CFkeyDlg : public QDialog {
    Q_OBJECT

public:
    // The commands offered, in the order of the list.
    static const std::array<int, 56> kCommands;

    CFkeyDlg(CFkeyTable& table, QWidget* parent = nullptr);

    // The key code whose binding is shown; 0 before a key is chosen.
    int CurrentKey() const { return m_currentKey; }

    QListWidget* KeyList() const { return m_keys; }
    QListWidget* CommandList() const { return m_commands; }
    QRadioButton* ModifierRadio(int m) const { return m_modifiers[static_cast<std::size_t>(m - 1)]; }
    QCheckBox* TextCheck() const { return m_textCheck; }
    QLineEdit* TextField() const { return m_text; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* HelpButton() const { return m_help; }

    void accept() override;

private:
    void FirstPaint();
    void SwitchKey();
    // Stores the binding the controls show for the current key.
    void StoreShown(const QString& text);
    void ShowBinding(int kind, int value);
    void ApplyTextCheck(bool on);

    CFkeyTable& m_table;
    int m_currentKey = 0;
    QListWidget* m_keys;
    std::array<QRadioButton*, 3> m_modifiers{};
    QListWidget* m_commands;
    QCheckBox* m_textCheck;
    QLineEdit* m_text;
    QPushButton* m_ok;
    QPushButton* m_help;
};
