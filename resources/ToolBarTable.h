#pragma once

#include "resources/CommandIds.h"

#include <algorithm>
#include <iterator>
#include <vector>

// The main tool bar's buttons in order; 0 is a separator. Both tool-bar types (text and
// image) have the same buttons in the same order.
const std::vector<int>& ToolBarButtons();

// Buttons hidden unless the profile says otherwise. Inline, so that the profile table
// below the editor can use it.
inline bool IsHiddenByDefault(int id) {
    using namespace Cmd;
    static constexpr int hidden[] = {
        kFileBlank,   kTagTableDlg,      kTagCellDlg,      kTagRowDlg,         kBrAtLineEnds,
        kNewWizard,   kEditSelectedFile, kConvertEntities, kTagOrderedListDlg, kTagUnorderedList,
        kTagListItem, kInsertDate,       kInsertTime};
    return std::find(std::begin(hidden), std::end(hidden), id) != std::end(hidden);
}
