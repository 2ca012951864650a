#include "resources/AcceleratorTable.h"

#include "resources/CommandTable.h"

namespace {

// Commands of F1..F12 with Shift, Ctrl and Alt (columns), as the accelerator table has them.
constexpr int kFunctionKeyCommands[12][3] = {
    {32820, 32831, 32843}, {32821, 32832, 32847}, {32819, 32833, 32848}, {32822, 32834, 32849},
    {32823, 32835, 32850}, {32824, 32836, 32851}, {32825, 32837, 32852}, {32826, 32838, 32853},
    {32827, 32839, 32854}, {32828, 32840, 32844}, {32829, 32841, 32845}, {32830, 32842, 32846},
};

std::vector<CAccelerator> Build() {
    std::vector<CAccelerator> t;
    for (const CCommand& c : Commands())
        for (QKeyCombination key : c.keys) {
            t.push_back({key, c.id});
            // The keypad's Enter does what Enter does.
            if (key.key() == Qt::Key_Return)
                t.push_back({key.keyboardModifiers() | Qt::Key_Enter, c.id});
        }
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
