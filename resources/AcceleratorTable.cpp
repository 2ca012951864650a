#include "resources/AcceleratorTable.h"

#include "resources/CommandIds.h"

namespace {

// Commands of F1..F12 with Shift, Ctrl and Alt (columns), as the accelerator table has them.
constexpr int kFunctionKeyCommands[12][3] = {
    {32820, 32831, 32843}, {32821, 32832, 32847}, {32819, 32833, 32848}, {32822, 32834, 32849},
    {32823, 32835, 32850}, {32824, 32836, 32851}, {32825, 32837, 32852}, {32826, 32838, 32853},
    {32827, 32839, 32854}, {32828, 32840, 32844}, {32829, 32841, 32845}, {32830, 32842, 32846},
};

std::vector<CAccelerator> Build() {
    using namespace Cmd;
    const auto C = Qt::ControlModifier;
    const auto A = Qt::AltModifier;
    const auto S = Qt::ShiftModifier;
    std::vector<CAccelerator> t = {
        {C | Qt::Key_N, kFileNew},           {C | Qt::Key_S, kFileSave},
        {C | Qt::Key_Z, kEditUndo},          {A | Qt::Key_Backspace, kEditUndo},
        {C | A | Qt::Key_Z, kEditRedo},      {C | Qt::Key_C, kEditCopy},
        {C | Qt::Key_Insert, kEditCopy},     {C | Qt::Key_X, kEditCut},
        {S | Qt::Key_Delete, kEditCut},      {C | Qt::Key_V, kEditPaste},
        {S | Qt::Key_Insert, kEditPaste},    {C | Qt::Key_W, kPreview},
        {C | Qt::Key_Left, kJumpPrevOpen},   {C | Qt::Key_Right, kJumpNextClose},
        {C | Qt::Key_L, kEntityLt},          {C | Qt::Key_G, kEntityGt},
        {C | Qt::Key_6, kEntityAmp},         {C | Qt::Key_Return, kTagBr},
        {C | Qt::Key_Enter, kTagBr},         {S | Qt::Key_Return, kTagBrNewLine},
        {S | Qt::Key_Enter, kTagBrNewLine},  {A | Qt::Key_Slash, kTagListItem},
        {C | Qt::Key_1, kTagCommentDlg},     {C | A | Qt::Key_1, kTagComment},
        {C | Qt::Key_A, kTagLinkDlg},        {C | A | Qt::Key_A, kTagLink},
        {C | Qt::Key_B, kTagBold},           {C | Qt::Key_I, kTagItalic},
        {C | Qt::Key_D, kTagCellDlg},        {C | A | Qt::Key_D, kTagCell},
        {C | Qt::Key_E, kTagCenter},         {C | Qt::Key_Q, kTagBlockquote},
        {C | Qt::Key_F, kTagFontDlg},        {C | A | Qt::Key_F, kTagFont},
        {C | Qt::Key_H, kTagRuleDlg},        {C | A | Qt::Key_H, kTagRule},
        {C | Qt::Key_M, kTagImageDlg},       {C | A | Qt::Key_M, kTagImage},
        {C | Qt::Key_O, kTagOrderedListDlg}, {C | A | Qt::Key_O, kTagOrderedList},
        {C | Qt::Key_P, kTagParagraphDlg},   {C | A | Qt::Key_P, kTagParagraph},
        {C | Qt::Key_R, kTagRowDlg},         {C | A | Qt::Key_R, kTagRow},
        {C | Qt::Key_T, kTagTableDlg},       {C | A | Qt::Key_T, kTagTable},
        {C | Qt::Key_U, kTagUnorderedList},
    };
    const Qt::KeyboardModifier modifiers[3] = {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};
    for (int f = 1; f <= 12; ++f)
        for (int m = 1; m <= 3; ++m)
            t.push_back(
                {modifiers[m - 1] | static_cast<Qt::Key>(Qt::Key_F1 + f - 1), FunctionKeyCommand(f, m)});
    return t;
}

} // namespace

const std::vector<CAccelerator>& Accelerators() {
    static const std::vector<CAccelerator> table = Build();
    return table;
}

int FunctionKeyCommand(int f, int m) {
    if (f < 1 || f > 12 || m < 1 || m > 3)
        return 0;
    return kFunctionKeyCommands[f - 1][m - 1];
}

CFunctionKey FunctionKeyOf(int id) {
    for (int f = 1; f <= 12; ++f)
        for (int m = 1; m <= 3; ++m)
            if (kFunctionKeyCommands[f - 1][m - 1] == id)
                return {f, m};
    return {};
}
