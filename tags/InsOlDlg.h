#pragma once

#include "tags/TagAttributeDlg.h"
#include "tags/TagDialogText.h"

// The ordered list dialog: its result is the opening <ol ...> tag; the view adds the selection and "</ol>".
class CInsOlDlg : public CTagAttributeDlg {
public:
    explicit CInsOlDlg(QWidget* parent = nullptr) : CTagAttributeDlg(OrderedListTagForm(), parent) {}
};
