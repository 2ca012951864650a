"""The frame's own accelerators, pressed on a real keyboard: undo and redo, the clipboard
keys, the jumps, a new page and saving it, preview."""

from pathlib import Path

from vurodesk import run_from_command_line, wait_until


def test_undo_and_redo_keys(desk):
    editor = desk.start_editor(b"abc")
    desk.key("End")
    desk.type("12")
    desk.key("ctrl+z", "alt+BackSpace", "ctrl+alt+z")
    desk.type("|")
    # One tag is one undo step; the caret moves back by the length the text lost.
    desk.key("shift+Home", "ctrl+b", "ctrl+z")
    desk.type("!")
    editor.expect_saved(b"a!bc1|")


def test_clipboard_keys(desk):
    editor = desk.start_editor(b"abc")
    desk.key("shift+End", "ctrl+c")
    wait_until(lambda: desk.clipboard_text() == "abc", "the copied text on the clipboard")
    desk.key("End", "ctrl+v")
    desk.type("|")
    # Cut the whole line and paste it twice with the Insert twins.
    desk.key("shift+Home", "shift+Delete")
    wait_until(lambda: desk.clipboard_text() == "abcabc|", "the cut text on the clipboard")
    desk.key("shift+Insert", "shift+Insert")
    desk.key("shift+Left", "shift+Left", "ctrl+Insert")
    wait_until(lambda: desk.clipboard_text() == "c|", "the text copied with Ctrl+Insert")
    desk.key("ctrl+x", "Home", "ctrl+v")
    editor.expect_saved(b"c|abcabc|abcab")


def test_jump_keys(desk):
    editor = desk.start_editor(b"<a><b>")
    desk.key("ctrl+Right")
    desk.type("|")
    desk.key("ctrl+Right")
    desk.type("|")
    desk.key("ctrl+Left")
    desk.type("!")
    desk.key("ctrl+Left")
    desk.type("^")
    # Nothing before the caret: the jump does nothing.
    desk.key("ctrl+Left")
    desk.type("~")
    editor.expect_saved(b"^~<a>|!<b>|")


def test_new_page_key_and_saving_it_under_a_name(desk):
    editor = desk.start_editor(b"old")
    desk.key("ctrl+n")
    editor.wait_title("無題 - Vuro")
    desk.type("|")
    dialog = editor.open_dialog("ctrl+s", "名前を付けて保存")
    target = desk.files / "new.html"
    desk.key("ctrl+a")
    desk.type(str(target))
    dialog.close_with("Return")
    editor.wait_title(f"{target}-Vuro")
    wait_until(target.exists, "the new page to be written")
    # The caret of a new page stands in its title.
    assert target.read_bytes() == b"<html><head>\r\n<title>|</title>\r\n</head>\r\n<body>\r\n\r\n</body></html>", \
        target.read_bytes()
    assert editor.saved_bytes() == b"old"


def test_preview_key_shows_the_unsaved_text(desk):
    seen = desk.files / "seen.html"
    desk.add_fake_program("xdg-open", f'cp "$1" "{seen}.part" && mv "{seen}.part" "{seen}"\n')
    editor = desk.start_editor(b"<p>")
    desk.key("End")
    desk.type("x")
    desk.key("ctrl+w")
    wait_until(seen.exists, "the browser to be started with the preview copy")
    assert seen.read_bytes() == b"<p>x"
    copy = desk.files / "~page.html"
    assert copy.read_bytes() == b"<p>x"
    assert editor.saved_bytes() == b"<p>"
    # The copy goes when the editor ends.
    desk.key("alt+f", "x")
    desk.wait_window("Vuro").close_with("n")
    editor.wait_exit()
    assert not copy.exists()


run_from_command_line()
