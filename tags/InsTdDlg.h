#pragma once

#include "tags/TagAttributeDlg.h"
#include "tags/TagDialogText.h"

// The cell dialog: its result is the opening <td ...> tag; the view adds the selection and "</td>".
class CInsTdDlg : public CTagAttributeDlg {
public:
    explicit CInsTdDlg(QWidget* parent = nullptr) : CTagAttributeDlg(CellTagForm(), parent) {}
};
