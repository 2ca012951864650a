#include "settings/FunctionKeys.h"

#include "editor/WeftpageView.h"
#include "platform/PlatformUi.h"
#include "resources/AcceleratorTable.h"
#include "resources/CommandIds.h"
#include "settings/CommandBar.h"
#include "settings/CommandBarText.h"
#include "settings/FkeyDlg.h"
#include "settings/FkeyTable.h"
#include "settings/SettingsFrame.h"

#include <QGuiApplication>
#include <QPushButton>

namespace {

// A binding that runs a function-key command (a file may hold one) would run itself
// again; bindings therefore never nest.
bool g_runningKey = false;

} // namespace

int HeldModifierCode(Qt::KeyboardModifiers held, int defaultModifier) {
    if (held & Qt::ShiftModifier)
        return 1;
    if (held & Qt::ControlModifier)
        return 2;
    if (held & Qt::AltModifier)
        return 3;
    return defaultModifier;
}

int GetHeldModifier(int defaultModifier) {
    return HeldModifierCode(QGuiApplication::queryKeyboardModifiers(), defaultModifier);
}

void RunFunctionKey(CSettingsFrame& frame, int f, int m) {
    if (g_runningKey)
        return;
    const CFkeyTable& table = frame.FkeyTable();
    const auto found = table.Find(CFkeyTable::KeyCode(f, m));
    if (!found)
        return;
    g_runningKey = true;
    if (found->kind == CFkeyTable::kCommand) {
        frame.Router().Execute(found->value);
    } else if (found->kind == CFkeyTable::kText && found->value >= 0 && found->value < CFkeyTable::kRecords) {
        // A text binding whose position names no text of the table acts as no binding.
        frame.View()->InsertTemplateText(table.GetText(found->value));
    }
    g_runningKey = false;
}

void RegisterFunctionKeyCommands(CSettingsFrame& frame) {
    frame.OnCommand(Cmd::kFunctionKeys, [&frame] {
        CFkeyDlg dialog(frame.FkeyTable(), frame.Window());
        Ui().RunDialog(dialog);
    });
    for (int id = Cmd::kFirstFunctionKey; id <= Cmd::kLastFunctionKey; ++id) {
        const CFunctionKey key = FunctionKeyOf(id);
        if (key.f != 0)
            frame.OnCommand(id, [&frame, key] { RunFunctionKey(frame, key.f, key.m); });
    }
    for (int f = 1; f <= 12; ++f) {
        frame.OnCommand(Cmd::kFirstCommandBarButton + f - 1, [&frame, f] {
            RunFunctionKey(frame, f, GetHeldModifier(3));
            frame.View()->setFocus();
        });
    }
}

void RefreshCommandBarCaptions(CSettingsFrame& frame) {
    RefreshCommandBarCaptions(frame, QGuiApplication::queryKeyboardModifiers());
}

void RefreshCommandBarCaptions(CSettingsFrame& frame, Qt::KeyboardModifiers held) {
    if (!frame.CommandBarShown())
        return;
    const int m = HeldModifierCode(held, 3);
    for (int f = 1; f <= 12; ++f) {
        QString caption = CommandBarText(frame.FkeyTable(), f, m);
        // Shown as written: "&" is no mnemonic on these buttons.
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QPushButton* button = frame.CommandBar()->KeyButton(f);
        if (button->text() != caption)
            button->setText(caption);
    }
}
