"""What the status bar shows, compared as the user sees it (pixels of the bar): the changed
mark appears with the first change and goes with saving; the caret's line and column follow
the caret; the lock keys' panes follow the keys."""

import time

from vurodesk import run_from_command_line, wait_until


def status_bar(editor):
    # The bar's text row, left of the window's size grip.
    _, _, width, height = editor.geometry()
    return lambda: editor.pixels(0, height - 18, width - 20, 14)


def settled(bar, what, unlike=()):
    """What the bar shows once it stays the same over more than two refreshes of the
    frame's 200 ms timer, and differs from every picture in unlike."""

    def steady():
        first = bar()
        time.sleep(0.45)
        return first if first == bar() and first not in unlike else None

    return wait_until(steady, what)


def test_changed_mark_and_caret_position(desk):
    editor = desk.start_editor(b"abc")
    bar = status_bar(editor)
    unchanged_at_start = settled(bar, "the status bar to show line 1, column 1")
    # Typing and taking it back leaves the caret where it was: only the mark differs.
    desk.type("x")
    desk.key("BackSpace")
    changed_at_start = settled(bar, "the changed mark to appear", unlike=[unchanged_at_start])
    desk.key("End")
    settled(bar, "the column to follow the caret", unlike=[changed_at_start, unchanged_at_start])
    desk.key("Home")
    wait_until(lambda: bar() == changed_at_start, "the position to come back to line 1, column 1")
    editor.save()
    wait_until(lambda: bar() == unchanged_at_start, "the changed mark to go after saving")


def test_lock_key_panes(desk):
    editor = desk.start_editor(b"abc")
    bar = status_bar(editor)
    plain = settled(bar, "the status bar to settle")
    for key in ("Caps_Lock", "Num_Lock"):
        desk.key(key)
        locked = settled(bar, f"the pane of {key} to appear", unlike=[plain])
        desk.key(key)
        wait_until(lambda: bar() == plain, f"the pane of {key} to go")
        assert locked != plain


run_from_command_line()
