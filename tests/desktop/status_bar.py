"""What the status bar shows, compared as the user sees it (pixels of the bar): the changed
mark appears with the first change and goes with saving; the caret's line and column follow
the caret."""

from vurodesk import run_from_command_line, wait_until


def status_bar(editor):
    # The bar's text row, left of the window's size grip.
    _, _, width, height = editor.geometry()
    return lambda: editor.pixels(0, height - 18, width - 20, 14)


def test_changed_mark_and_caret_position(desk):
    editor = desk.start_editor(b"abc")
    bar = status_bar(editor)
    wait_until(lambda: bar() == bar(), "the status bar to settle")
    unchanged_at_start = bar()
    # Typing and taking it back leaves the caret where it was: only the mark differs.
    desk.type("x")
    desk.key("BackSpace")
    changed_at_start = wait_until(lambda: (lambda now: now if now != unchanged_at_start else None)(bar()),
                                  "the changed mark to appear")
    desk.key("End")
    wait_until(lambda: bar() not in (changed_at_start, unchanged_at_start), "the column to follow the caret")
    desk.key("Home")
    wait_until(lambda: bar() == changed_at_start, "the position to come back to line 1, column 1")
    editor.save()
    wait_until(lambda: bar() == unchanged_at_start, "the changed mark to go after saving")


run_from_command_line()
