#include "editor/PageLookCommands.h"

#include "editor/DependentChars.h"
#include "editor/WeftpageView.h"
#include "platform/ProfileSettings.h"
#include "resources/CommandIds.h"

namespace {

using ProfileSettings::CViewSwitch;

void ToggleColouring(CWeftpageView& view) {
    const bool on = !view.Styler().Colouring();
    view.Styler().SetColouring(on);
    ProfileSettings::PutViewSwitch(CViewSwitch::Colour, on);
    view.ApplyLooks();
}

void ToggleMarking(CWeftpageView& view) {
    const bool on = !view.Styler().Marking();
    view.Styler().SetMarking(on);
    ProfileSettings::PutViewSwitch(CViewSwitch::MarkDependent, on);
    view.ApplyLooks();
}

void ToggleLineNumbers(CWeftpageView& view) {
    const bool on = !view.LineNumbersShown();
    view.SetLineNumbersShown(on);
    ProfileSettings::PutViewSwitch(CViewSwitch::LineNumbers, on);
}

void SelectNextDependent(CWeftpageView& view) {
    const auto at = DependentChars::FindNext(view.Snapshot(), view.GetSel().end);
    if (!at) {
        view.ShowStatusMessage(QStringLiteral("機種依存文字が見つかりません。"));
        return;
    }
    view.SetSel(*at, *at + 2);
    view.ScrollCaret();
}

void ConvertDependent(CWeftpageView& view) {
    const CEditControl::Selection sel = view.GetSel();
    const std::string selected = view.GetTextRange(sel.start, sel.end);
    const std::string converted = DependentChars::ToHexReferences(selected);
    if (converted == selected) {
        view.ShowStatusMessage(QStringLiteral("選択範囲に文字参照に変換できる機種依存文字がありません。"));
        return;
    }
    view.InsertReplacing(converted);
}

} // namespace

void RegisterPageLookCommands(CWeftpageView& view) {
    using namespace Cmd;
    view.Styler().SetColouring(ProfileSettings::ViewSwitch(CViewSwitch::Colour));
    view.Styler().SetMarking(ProfileSettings::ViewSwitch(CViewSwitch::MarkDependent));
    view.ApplyLooks();
    view.SetLineNumbersShown(ProfileSettings::ViewSwitch(CViewSwitch::LineNumbers));

    view.OnCommand(
        kHtmlColouring, [&view] { ToggleColouring(view); },
        [&view](CCommandState& s) { s.checked = view.Styler().Colouring(); });
    view.OnCommand(
        kMarkDependent, [&view] { ToggleMarking(view); },
        [&view](CCommandState& s) { s.checked = view.Styler().Marking(); });
    view.OnCommand(
        kLineNumbers, [&view] { ToggleLineNumbers(view); },
        [&view](CCommandState& s) { s.checked = view.LineNumbersShown(); });
    view.OnCommand(kNextDependent, [&view] { SelectNextDependent(view); });
    view.OnCommand(
        kDependentToReferences, [&view] { ConvertDependent(view); },
        [&view](CCommandState& s) { s.enabled = view.GetSel().start < view.GetSel().end; });
}
