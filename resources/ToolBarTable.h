#pragma once

#include <vector>

// The main tool bar's buttons in order; 0 is a separator. Both tool-bar types (text and
// image) have the same buttons in the same order.
const std::vector<int>& ToolBarButtons();

// Buttons hidden unless the profile says otherwise.
bool IsHiddenByDefault(int id);
