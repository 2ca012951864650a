"""Saving over files as a user finds them: read-only, hard-linked, changed by another
program while open, named in Shift-JIS bytes, or with "[*]" in the name."""

import os
import stat
import time

from vurodesk import run_from_command_line, wait_until


def test_read_only_file_is_overwritten_only_after_yes(desk):
    editor = desk.start_editor(b"old")
    os.chmod(editor.path, 0o444)
    desk.key("End")
    desk.type("!")
    question = editor.open_dialog("ctrl+s", "Vuro")
    desk.screenshot("read-only-question.png")
    # The default answer is いいえ: the file and the changed text stay as they are.
    question.close_with("Return")
    editor.wait_active()
    assert editor.saved_bytes() == b"old"
    assert editor.title == f"{editor.path} - Vuro"
    editor.open_dialog("ctrl+s", "Vuro").close_with("y")
    editor.wait_title(f"{editor.path}-Vuro")
    assert editor.saved_bytes() == b"old!"
    assert stat.S_IMODE(os.stat(editor.path).st_mode) == 0o444


def test_every_name_of_a_hard_linked_file_sees_the_saved_text(desk):
    editor = desk.start_editor(b"old")
    other = desk.files / "other.html"
    os.link(editor.path, other)
    desk.key("End")
    desk.type("!")
    editor.expect_saved(b"old!")
    assert other.read_bytes() == b"old!"
    assert os.stat(editor.path).st_nlink == 2


def test_a_file_changed_by_another_program_is_offered_again_on_activation(desk):
    editor = desk.start_editor(b"mine")
    # Another window takes the focus, another program rewrites the file, the user comes back.
    other = desk.start_editor(b"other", name="other.html")
    with open(editor.path, "wb") as f:
        f.write(b"theirs")
    assert desk.active_window() == other.wid
    # Qt takes a window as left only 400 ms after it lost the focus (a focus coming straight
    # back is no change of activation), and nothing outside shows when that has happened.
    time.sleep(1.0)
    desk.run(["xdotool", "windowactivate", str(editor.wid)])
    question = desk.wait_window("Vuro")
    desk.screenshot("reload-question.png")
    question.close_with("y")
    editor.wait_active()
    desk.type("!")
    editor.expect_saved(b"!theirs")


def test_a_name_with_the_modified_placeholder_shows_it_in_the_caption(desk):
    # start_editor waits for the caption "<path> - Vuro" with the "[*]" in it.
    editor = desk.start_editor(b"x", name="a[*]b.html")
    desk.type("y")
    editor.expect_saved(b"yx")


def test_a_shift_jis_name_from_the_command_line_is_opened_and_saved_under_its_bytes(desk):
    raw = bytes(desk.files).decode().encode() + b"/\x82\xa0.html"
    with open(raw, "wb") as f:
        f.write(b"sjis")
    desk.spawn([str(desk.bin / "weftpage").encode(), raw], "weftpage")
    shown = f"{desk.files}/あ.html"
    editor = desk.wait_window(f"{shown} - Vuro")
    desk.screenshot("shift-jis-name.png")
    desk.type("!")
    desk.key("ctrl+s")
    editor.wait_title(f"{shown}-Vuro")
    with open(raw, "rb") as f:
        assert f.read() == b"!sjis"


run_from_command_line()
