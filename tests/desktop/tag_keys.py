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


def test_replacing_tags_and_line_breaks(desk):
    editor = desk.start_editor(b"")
    cases = [
        ("ctrl+Return", b"<br>|"),
        ("shift+Return", b"<br>\r\n|"),
        ("alt+slash", b"<li>|"),
        ("ctrl+alt+m", b"<img |>"),
        ("ctrl+alt+h", b"<hr>|"),
    ]
    editor.expect_saved(press_on_lines(desk, editor, cases, select=True))


def test_bare_table_keys(desk):
    editor = desk.start_editor(b"")
    cases = [
        ("ctrl+alt+t", b"<table>abc|</table>"),
        ("ctrl+alt+r", b"<tr>\r\nabc|\r\n</tr>"),
        ("ctrl+alt+d", b"<td>abc|</td>"),
    ]
    editor.expect_saved(press_on_lines(desk, editor, cases, select=True))


def test_character_reference_keys(desk):
    editor = desk.start_editor(b"")
    cases = [("ctrl+l", b"&lt;|"), ("ctrl+g", b"&gt;|"), ("ctrl+6", b"&amp;|")]
    with_selection = press_on_lines(desk, editor, cases, select=True)
    without = press_on_lines(desk, editor, [(k, b"abc" + r) for k, r in cases], select=False)
    editor.expect_saved(with_selection + without)


def test_japanese_selection_is_wrapped_by_bytes(desk):
    # The caret after the tag counts the two bytes of each double-byte character.
    editor = desk.start_editor(cp932("日本"))
    desk.key("shift+End", "ctrl+b")
    desk.type("|")
    editor.expect_saved(cp932("<b>日本|</b>"))


run_from_command_line()
