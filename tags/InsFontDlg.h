#pragma once

#include "tags/TagAttributeDlg.h"
#include "tags/TagDialogText.h"

// The font dialog: its result is the opening <font ...> tag; the view adds the selection and "</font>".
class CInsFontDlg : public CTagAttributeDlg {
public:
    explicit CInsFontDlg(QWidget* parent = nullptr) : CTagAttributeDlg(FontTagForm(), parent) {}
};
