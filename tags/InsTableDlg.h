#pragma once

#include "tags/TagAttributeDlg.h"
#include "tags/TagDialogText.h"

// The table dialog: its result is the opening <table ...> tag; the view puts the selection on a line of
// its own before "</table>".
class CInsTableDlg : public CTagAttributeDlg {
public:
    explicit CInsTableDlg(QWidget* parent = nullptr) : CTagAttributeDlg(TableTagForm(), parent) {}
};
