"""Japanese text through the clipboard between the editor and another program (xclip), both
ways: UTF-8 on the clipboard, CP932 in the document."""

from vurodesk import cp932, run_from_command_line, wait_until

TEXT = "日本語のテキスト、ｶﾀｶﾅと①"


def test_japanese_text_pasted_from_another_program(desk):
    desk.set_clipboard(TEXT)
    editor = desk.start_editor(b"<p></p>")
    desk.key("End", "Left", "Left", "Left", "Left", "ctrl+v")
    desk.type("|")
    editor.expect_saved(b"<p>" + cp932(TEXT) + b"|</p>")


def test_japanese_text_copied_to_another_program(desk):
    editor = desk.start_editor(cp932(TEXT) + b"\r\n2")
    desk.key("shift+End", "ctrl+c")
    wait_until(lambda: desk.clipboard_text() == TEXT, f"{TEXT!r} on the clipboard; it holds "
               f"{desk.clipboard_text()!r}")
    # Cut gives it away as well, and the text loses it.
    desk.key("Down", "shift+Home", "ctrl+x")
    wait_until(lambda: desk.clipboard_text() == "2", "the cut text on the clipboard")
    editor.expect_saved(cp932(TEXT) + b"\r\n")


run_from_command_line()
