#pragma once

#include <QString>

#include <initializer_list>

class QDialog;
class QLabel;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Building blocks every dialog of the program shares.

// Names a control by its resource identifier, so that scripts and tests find it by that
// number.
void SetControlId(QWidget* control, int id);

// A label whose mnemonic moves the focus to buddy; captions such as "<META>タグ" are text,
// not markup.
QLabel* BuddyLabel(const QString& text, QWidget* buddy);

// The dialog's "OK" (identifier 1, default, accepts) and "ｷｬﾝｾﾙ" (identifier 2, rejects)
// buttons; the caller places them.
struct COkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
};
COkCancelButtons MakeOkCancelButtons(QDialog* dialog);

// The dialog's command buttons stacked top-down at its right edge, the free space below them.
QVBoxLayout* ButtonColumn(std::initializer_list<QPushButton*> buttons);
