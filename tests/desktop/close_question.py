"""Closing the editor with unsaved changes asks "...への変更を保存しますか？" in a box titled
"Vuro"; each answer, given with its key, does what it says."""

from vurodesk import run_from_command_line


def change_and_close(desk, close):
    editor = desk.start_editor(b"abc")
    desk.key("End")
    desk.type("!")
    close(editor)
    return editor, desk.wait_window("Vuro")


def by_menu(editor):
    editor.desk.key("alt+f", "x")


def by_close_box(editor):
    editor.click_close_button()


def test_yes_saves_and_ends(desk):
    editor, question = change_and_close(desk, by_menu)
    question.close_with("y")
    assert editor.wait_exit() == 0
    assert editor.saved_bytes() == b"abc!"


def test_no_ends_without_saving(desk):
    editor, question = change_and_close(desk, by_close_box)
    question.close_with("n")
    assert editor.wait_exit() == 0
    assert editor.saved_bytes() == b"abc"


def test_cancel_keeps_the_editor_and_the_text(desk):
    editor, question = change_and_close(desk, by_menu)
    question.close_with("Escape")
    editor.wait_active()
    assert editor.process.poll() is None
    # The close box asks again.
    editor.click_close_button()
    desk.wait_window("Vuro").close_with("Escape")
    desk.type("?")
    editor.expect_saved(b"abc!?")


def test_no_question_without_changes(desk):
    editor = desk.start_editor(b"abc")
    editor.click_close_button()
    assert editor.wait_exit() == 0
    assert editor.saved_bytes() == b"abc"


run_from_command_line()
