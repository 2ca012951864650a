#pragma once

#include "tags/TagAttributeDlg.h"
#include "tags/TagDialogText.h"

// The paragraph dialog: its result is the opening <p ...> tag; the view adds the selection and "</p>".
class CInsPDlg : public CTagAttributeDlg {
public:
    explicit CInsPDlg(QWidget* parent = nullptr) : CTagAttributeDlg(ParagraphTagForm(), parent) {}
};
