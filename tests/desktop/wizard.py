"""The new-page wizard driven to its end with the keyboard: the page it composes replaces the
text, takes the chosen name, and Ctrl+S writes it there."""

from vurodesk import run_from_command_line, wait_until


def open_wizard(desk):
    # ﾌｧｲﾙ(&F) > 新規作成ウィザード(&W)...; 白紙作成(&W) shares the letter, so Enter chooses.
    desk.key("alt+f", "w", "Return")
    return desk.wait_window("新規作成")


def test_normal_page_to_the_end(desk):
    editor = desk.start_editor(b"old")
    open_wizard(desk)
    target = desk.files / "top.html"
    desk.key("alt+r")
    browse = desk.wait_window("名前を付けて保存")
    desk.type(str(target))
    browse.close_with("Return")
    wizard = desk.wait_window("新規作成")
    wizard.press_and_wait_repaint("alt+n")
    desk.wait_window("新規作成 - 通常のページ")
    desk.type("Top")
    desk.key("alt+h", "alt+s", "ctrl+a")
    desk.type("5")
    desk.key("alt+u")
    desk.type("next.html")
    desk.key("alt+m")
    meta = desk.wait_window("<META>タグの追加")
    desk.key("alt+h", "Tab")
    desk.type("Content-Type")
    desk.key("alt+c")
    desk.type("text/html; charset=Shift_JIS")
    desk.key("alt+a", "alt+m")
    meta.close_with("Return")
    desk.wait_window("新規作成 - 通常のページ").press_and_wait_repaint("alt+n")
    # Second page: text= and alink= off, a script block on; 完了 is the default button.
    desk.key("alt+t", "alt+a", "alt+j", "Return")
    wait_until(lambda: desk.find_window("新規作成 - 通常のページ") is None, "the wizard to finish")
    editor.wait_title(f"{target} - Vuro")
    editor.path = str(target)
    editor.expect_saved(
        b"<html><head>\r\n<title>Top</title>\r\n"
        b'<meta http-equiv="refresh" content="5;URL=next.html">\r\n'
        b'<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">\r\n'
        b'<script language="JavaScript">\r\n<!--\r\n\r\n//-->\r\n</script>\r\n'
        b'</head>\r\n<body bgcolor="#" link="#" vlink="#">\r\n\r\n</body></html>\r\n')
    assert (desk.files / "page.html").read_bytes() == b"old"


def test_skeleton_page_to_the_end(desk):
    # The list shows the stored skeletons sorted by title; the copy is unnamed.
    (desk.bin / "vuroskel.dat").write_bytes(b"beta\r\nsecond\r\n<p>beta</p>\r\n&&&&&\r\n"
                                            b"alpha\r\nfirst\r\n<p>alpha</p>\r\n&&&&&\r\n")
    editor = desk.start_editor(b"old")
    wizard = open_wizard(desk)
    desk.key("alt+s")
    wizard.press_and_wait_repaint("alt+n")
    desk.wait_window("新規作成 - スケルトンの選択")
    desk.key("alt+s", "Down", "Down", "Return")
    editor.wait_title("無題 - Vuro")
    editor.wait_active()
    target = desk.files / "copy.html"
    save = editor.open_dialog("ctrl+s", "名前を付けて保存")
    desk.key("ctrl+a")
    desk.type(str(target))
    save.close_with("Return")
    editor.wait_title(f"{target}-Vuro")
    assert target.read_bytes() == b"<p>beta</p>\r\n"


def test_cancelling_the_wizard_changes_nothing(desk):
    editor = desk.start_editor(b"old")
    open_wizard(desk)
    desk.key("alt+n")
    desk.wait_window("新規作成 - 通常のページ")
    desk.type("Top")
    desk.key("Escape")
    editor.wait_active()
    assert editor.title == f"{editor.path} - Vuro"
    # Nothing changed, so closing asks nothing.
    editor.click_close_button()
    assert editor.wait_exit() == 0
    assert editor.saved_bytes() == b"old"


run_from_command_line()
