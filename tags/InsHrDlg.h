#pragma once

#include "tags/TagAttributeDlg.h"
#include "tags/TagDialogText.h"

// The rule dialog: its result is the complete <hr ...> tag, which replaces the selection.
class CInsHrDlg : public CTagAttributeDlg {
public:
    explicit CInsHrDlg(QWidget* parent = nullptr) : CTagAttributeDlg(RuleTagForm(), parent) {}
};
