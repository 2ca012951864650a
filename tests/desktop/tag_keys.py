"""Every tag key, pressed on a real keyboard, leaves its tag and the caret where a user types next.

Each case types "abc" on a line of its own, selects it (or not), presses the key and types
"|" where the caret stands; the saved file shows both.
"""

from vurodesk import cp932, run_from_command_line

WRAPPING = [
    ("ctrl+b", b"<b>abc|</b>"),
    ("ctrl+i", b"<i>abc|</i>"),
    ("ctrl+q", b"<blockquote>abc|</blockquote>"),
    ("ctrl+u", b"<ul>abc|</ul>"),
    ("ctrl+alt+o", b"<ol>abc|</ol>"),
    ("ctrl+alt+p", b"<p>abc|</p>"),
    ("ctrl+alt+1", b"<!-- abc| -->"),
    ("ctrl+alt+a", b"<a |>abc</a>"),
    ("ctrl+alt+f", b"<font |>abc</font>"),
    ("ctrl+e", b"<center>\r\nabc|\r\n</center>\r\n"),
]


def press_on_lines(desk, editor, cases, select):
    """Runs each case on a new line at the end of the text and returns the expected text."""
    expected = b""
    for key, result in cases:
        desk.type("abc")
        if select:
            desk.key("shift+Home")
        desk.key(key)
        desk.type("|")
        desk.key("ctrl+End", "Return")
        expected += result + b"\r\n"
    return expected


def test_wrapping_tags_around_a_selection(desk):
    editor = desk.start_editor(b"")
    editor.expect_saved(press_on_lines(desk, editor, WRAPPING, select=True))


def test_wrapping_tags_without_a_selection(desk):
    editor = desk.start_editor(b"")
    cases = [(key, b"abc" + result.replace(b"abc", b"")) for key, result in WRAPPING]
    editor.expect_saved(press_on_lines(desk, editor, cases, select=False))


run_from_command_line()
