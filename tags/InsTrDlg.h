#pragma once

#include "tags/TagAttributeDlg.h"
#include "tags/TagDialogText.h"

// The row dialog: its result is the opening <tr ...> tag; the view puts the selection on a line of its
// own before "</tr>".
class CInsTrDlg : public CTagAttributeDlg {
public:
    explicit CInsTrDlg(QWidget* parent = nullptr) : CTagAttributeDlg(RowTagForm(), parent) {}
};
