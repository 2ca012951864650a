#pragma once

#include <QString>

#include <initializer_list>

class QDialog;
class QLabel;
class QListWidget;
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

// The selected position of a single-selection list, -1 when nothing is selected (the
// list's focus mark alone selects nothing).
int SelectedRow(const QListWidget* list);

// The dialog's "OK" (identifier 1, default, accepts) and "ｷｬﾝｾﾙ" (identifier 2, rejects)
// buttons; the caller places them.
struct COkCancelButtons {
    QPushButton* ok;
    QPushButton* cancel;
};
COkCancelButtons MakeOkCancelButtons(QDialog* dialog);

// The dialog's command buttons stacked top-down at its right edge, the free space below them.
QVBoxLayout* ButtonColumn(std::initializer_list<QPushButton*> buttons);

// Frames a dialog or message box as its template gives it under a window manager: a title
// with a close button only (no minimise or maximise button) and a size the user cannot
// change, the one it was given or else the one its layout asks for. Run before showing it.
void FixDialogFrame(QDialog& dialog);
