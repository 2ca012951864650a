"""How the window manager shows the program's dialogs and message boxes: a close button only,
a size the user cannot change, and a box of the start-up centred over the editor's window."""

import os
import re

from vurodesk import DesktopError, run_from_command_line, wait_until


def allowed_actions(desk, window):
    out = desk.run(["xprop", "-id", str(window.wid), "_NET_WM_ALLOWED_ACTIONS"])
    return set(re.findall(r"_NET_WM_ACTION_[A-Z_]+", out))


def size_limits(desk, window):
    """(minimum, maximum) sizes the window tells the window manager, None when not told."""
    out = desk.run(["xprop", "-id", str(window.wid), "WM_NORMAL_HINTS"])
    found = {kind: (int(w), int(h)) for kind, w, h in
             re.findall(r"program specified (minimum|maximum) size: (\d+) by (\d+)", out)}
    return found.get("minimum"), found.get("maximum")


def motif_functions(desk, window):
    """The functions the window asks the window manager to offer (Motif hints), or None."""
    out = desk.run(["xprop", "-id", str(window.wid), "_MOTIF_WM_HINTS"])
    values = [int(v, 16) for v in re.findall(r"0x[0-9a-f]+", out)]
    return values[1] if values and values[0] & 1 else None


def expect_close_button_only_and_fixed_size(desk, window):
    # The window asks for moving and closing only: no minimise (0x8) or maximise (0x10).
    functions = motif_functions(desk, window)
    if functions is None or functions & 0x18 or not functions & 0x20:
        raise DesktopError(f"{window.title!r} asks for the functions {functions!r}")
    # openbox keeps its minimise button whatever a window asks; it honours the rest.
    actions = allowed_actions(desk, window)
    if "_NET_WM_ACTION_CLOSE" not in actions:
        raise DesktopError(f"{window.title!r} cannot be closed: {sorted(actions)}")
    unwanted = actions & {"_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE"}
    if unwanted:
        raise DesktopError(f"{window.title!r} offers {sorted(unwanted)}")
    minimum, maximum = size_limits(desk, window)
    if minimum is None or minimum != maximum:
        raise DesktopError(f"{window.title!r} can change its size: minimum {minimum}, maximum {maximum}")


def centre(window):
    x, y, width, height = window.geometry()
    return x + width / 2, y + height / 2


def test_help_library_message_is_centred_and_framed(desk):
    os.remove(desk.bin / "libvurohelp.so")
    process = desk.spawn([str(desk.bin / "weftpage")], "weftpage")
    box = desk.wait_window("Vuro")
    editor = wait_until(lambda: desk.find_window("無題 - Vuro"), "the editor's window")
    (bx, by), (ex, ey) = centre(box), centre(editor)
    # Centred over the editor's window, not over a corner of it (the frames of the two
    # differ by a title bar and the editor's bars).
    if abs(bx - ex) > 30 or abs(by - ey) > 30:
        raise DesktopError(f"the box is centred at {(bx, by)}, the editor at {(ex, ey)}")
    expect_close_button_only_and_fixed_size(desk, box)
    box.close_with("Return")
    editor.wait_active()
    process.terminate()


def test_dialogs_have_a_close_button_only_and_a_fixed_size(desk):
    editor = desk.start_editor(b"")
    desk.key("alt+h", "a")
    about = desk.wait_window("Vuroのﾊﾞｰｼﾞｮﾝ情報")
    expect_close_button_only_and_fixed_size(desk, about)
    about.close_with("Return")
    rule = editor.open_dialog("ctrl+h", "<HR>タグの挿入")
    expect_close_button_only_and_fixed_size(desk, rule)
    rule.close_with("Escape")


run_from_command_line()
