"""All 36 function-key combinations, pressed on a real keyboard, run their binding from a
prepared vurofkey.dat. openbox keeps no key, so Alt+F4 reaches the editor too."""

import time

from vurodesk import function_key_file, run_from_command_line, wait_until

MODIFIERS = {1: "shift", 2: "ctrl", 3: "alt"}


def text_of(f, m):
    return f"{MODIFIERS[m][0].upper()}{f}[%1]"


def check_modifier(desk, m):
    """Binds every key to a text naming it, presses each with "abc" selected, and checks the
    text with the selection in place of "%1" and the caret after it."""
    desk.write_function_keys({(f, mod): text_of(f, mod) for f in range(1, 13) for mod in (1, 2, 3)})
    editor = desk.start_editor(b"")
    expected = b""
    for f in range(1, 13):
        desk.type("abc")
        desk.key("shift+Home", f"{MODIFIERS[m]}+F{f}")
        desk.type("|")
        desk.key("ctrl+End", "Return")
        expected += text_of(f, m).replace("%1", "abc|").encode() + b"\r\n"
    editor.expect_saved(expected)


def test_shift_function_keys(desk):
    check_modifier(desk, 1)


def test_ctrl_function_keys(desk):
    check_modifier(desk, 2)


def test_alt_function_keys(desk):
    check_modifier(desk, 3)


def test_function_key_bound_to_a_command(desk):
    # Shift+F2 opens the settings sheet (環境設定, 32797); Ctrl+F12 bold (32859).
    desk.write_function_keys({(2, 1): 32797, (12, 2): 32859})
    editor = desk.start_editor(b"abc")
    editor.open_dialog("shift+F2", "設定").close_with("Escape")
    desk.key("shift+End", "ctrl+F12")
    desk.type("|")
    editor.expect_saved(b"<b>abc|</b>")


def test_binding_made_in_the_dialog_works_at_once_and_is_written_at_exit(desk):
    editor = desk.start_editor(b"abc")
    desk.key("alt+t", "f")
    dialog = desk.wait_window("ファンクションキーの設定")
    # F3 with Ctrl, bound to a text typed into the dialog; Enter is OK.
    desk.key("alt+f", "Home", "Down", "Down", "alt+c", "alt+t", "alt+e")
    desk.type("<em>%1</em>")
    dialog.close_with("Return")
    editor.wait_active()
    desk.key("shift+End", "ctrl+F3")
    desk.type("|")
    editor.expect_saved(b"<em>abc|</em>")
    desk.key("alt+f", "x")
    assert editor.wait_exit() == 0
    assert (desk.bin / "vurofkey.dat").read_bytes() == function_key_file({(3, 2): "<em>%1</em>"})


def test_command_bar_button_runs_the_alt_binding_when_no_key_is_held(desk):
    desk.write_function_keys({(7, 3): "A7[%1]", (7, 1): "S7[%1]", (7, 2): "C7[%1]"})
    editor = desk.start_editor(b"abc")
    desk.key("shift+End")
    # The command bar runs along the bottom above the status bar: twelve buttons, F7 the seventh.
    x, y, width, height = editor.geometry()
    desk.click(x + width * 13 // 24, y + height - 44)
    editor.wait_active()
    desk.type("|")
    editor.expect_saved(b"A7[abc|]")


def test_command_bar_shows_and_runs_the_bindings_of_the_held_modifier(desk):
    desk.write_function_keys({(7, 3): "A7[%1]", (7, 1): "S7[%1]"})
    editor = desk.start_editor(b"abc")
    desk.key("shift+End")
    x, y, width, height = editor.geometry()
    bar = lambda: editor.pixels(0, height - 52, width, 16)

    def steady():
        first = bar()
        time.sleep(0.45)  # over two ticks of the frame's 200 ms timer
        return first if first == bar() else None

    desk.mouse_move(x + width // 2, y + height // 2)  # no button drawn as hovered
    alt_captions = wait_until(steady, "the command bar to settle")
    desk.run(["xdotool", "keydown", "shift"])
    try:
        wait_until(lambda: bar() != alt_captions, "the command bar to show the Shift bindings")
        desk.click(x + width * 13 // 24, y + height - 44)
    finally:
        desk.run(["xdotool", "keyup", "shift"])
    desk.mouse_move(x + width // 2, y + height // 2)
    wait_until(lambda: bar() == alt_captions, "the command bar to show the Alt bindings again")
    editor.wait_active()
    desk.type("|")
    editor.expect_saved(b"S7[abc|]")


run_from_command_line()
