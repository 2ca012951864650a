#include "resources/ToolBarTable.h"

#include "resources/CommandIds.h"

const std::vector<int>& ToolBarButtons() {
    using namespace Cmd;
    // One line a group; 0 is a separator.
    // clang-format off
    static const std::vector<int> buttons = {
        kFileNew, kNewWizard, kFileBlank, kFileOpen, kFileSave, 0,
        kEditCut, kEditCopy, kEditPaste, 0,
        kBrAtLineEnds, kConvertEntities, 0,
        kEditUndo, kEditRedo, 0,
        kTagLinkDlg, kTagImageDlg, 0,
        kTagBr, kTagParagraphDlg, kTagCenter, kTagRuleDlg, kTagBlockquote, 0,
        kTagFontDlg, kTagBold, kTagItalic, 0,
        kTagTableDlg, kTagRowDlg, kTagCellDlg, 0,
        kTagOrderedListDlg, kTagUnorderedList, kTagListItem, 0,
        kInsertDate, kInsertTime, kJumpNextClose, kJumpPrevOpen, kPreview, kEditSelectedFile,
    };
    // clang-format on
    return buttons;
}
