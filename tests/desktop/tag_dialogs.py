"""Each tag dialog opened by its key: Escape leaves text and selection alone, OK inserts the
tag built from what was typed, and the caret stands where the user goes on typing ("|")."""

from vurodesk import run_from_command_line


def check_dialog(desk, key, title, answer, expected):
    """On "abc" selected: the dialog cancelled with Escape, then again answered with the keys
    of answer (typed text as str, keys as tuples); then "|" is typed at the caret."""
    editor = desk.start_editor(b"abc")
    desk.key("shift+End")
    editor.open_dialog(key, title).close_with("Escape")
    dialog = editor.open_dialog(key, title)
    for step in answer:
        if isinstance(step, str):
            desk.type(step)
        else:
            desk.key(*step)
    dialog.wait_closed()
    editor.wait_active()
    desk.type("|")
    editor.expect_saved(expected)


def test_link_dialog(desk):
    check_dialog(desk, "ctrl+a", "<A>タグの挿入", ["index.html", ("Return",)], b'<a href="index.html">abc|</a>')


def test_image_dialog(desk):
    check_dialog(desk, "ctrl+m", "<IMG>タグの挿入", ["pic.gif", ("Return",)],
                 b'<img src="pic.gif" border=0 alt="">|')


def test_paragraph_dialog(desk):
    check_dialog(desk, "ctrl+p", "<P>タグの挿入", [("Return",)], b'<p align="center">abc|</p>')


def test_rule_dialog(desk):
    check_dialog(desk, "ctrl+h", "<HR>タグの挿入", [("alt+n", "Return")], b'<hr width="80%" noshade>|')


def test_font_dialog(desk):
    # OK stays greyed until an attribute is switched on.
    check_dialog(desk, "ctrl+f", "<FONT>タグの挿入", [("Return", "alt+s", "Return")], b"<font size=4>abc|</font>")


def test_table_dialog(desk):
    check_dialog(desk, "ctrl+t", "<TABLE>タグの挿入", [("alt+b", "Return")],
                 b"<table border=0>\r\nabc|\r\n</table>")


def test_row_dialog(desk):
    check_dialog(desk, "ctrl+r", "<TR>タグの挿入", [("alt+v", "Return")], b'<tr valign="middle">\r\nabc|\r\n</tr>')


def test_cell_dialog(desk):
    check_dialog(desk, "ctrl+d", "<TD>タグの挿入", [("alt+n", "Return")], b"<td nowrap>abc|</td>")


def test_ordered_list_dialog(desk):
    check_dialog(desk, "ctrl+o", "<OL>タグの挿入", [("alt+t", "Return")], b'<ol type="i">abc|</ol>')


def test_comment_dialog(desk):
    # Enter starts a new line in the comment; Tab goes on to OK.
    check_dialog(desk, "ctrl+1", "コメントの挿入", ["one", ("Return",), "two", ("Tab", "Return")],
                 b"<!-- one\r\ntwo -->|")


run_from_command_line()
