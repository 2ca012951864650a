"""Files dropped on the window with a real X drag and drop from another program."""

from vurodesk import run_from_command_line


def middle_of_text(editor):
    x, y, width, height = editor.geometry()
    return x + width // 2, y + height // 2


def test_a_file_dropped_on_the_text_is_opened(desk):
    dropped = desk.write_file("dropped.html", b"<p>dropped</p>")
    editor = desk.start_editor(b"abc")
    desk.drag_files([dropped], *middle_of_text(editor))
    editor.wait_title(f"{dropped} - Vuro")
    editor.path = dropped
    # The drag source still has the keyboard, as after a drag from a file manager.
    editor.activate()
    desk.key("ctrl+Home")
    desk.type("|")
    editor.expect_saved(b"|<p>dropped</p>")
    assert (desk.files / "page.html").read_bytes() == b"abc"


def test_two_files_dropped_on_the_bars_ask_first_and_open_only_the_first(desk):
    first = desk.write_file("first.html", b"1")
    second = desk.write_file("second.html", b"2")
    editor = desk.start_editor(b"abc")
    desk.key("End")
    desk.type("!")
    x, y, width, height = editor.geometry()
    # The status bar, at the window's bottom edge, belongs to the frame.
    desk.drag_files([first, second], x + width // 4, y + height - 8)
    desk.wait_window("Vuro").close_with("y")
    editor.wait_title(f"{first} - Vuro")
    assert editor.saved_bytes() == b"abc!"
    editor.path = first
    editor.activate()
    desk.type("|")
    editor.expect_saved(b"|1")
    assert (desk.files / "second.html").read_bytes() == b"2"


run_from_command_line()
