"""Menu commands chosen with the keyboard (Alt and the mnemonics), as a user without a mouse
works: the edit menu's text commands, editing the file named in the text, help and About."""

from vurodesk import run_from_command_line, wait_until


def test_edit_menu_text_commands(desk):
    editor = desk.start_editor(b"a<b>\r\nc&d")
    # 編集 > すべて選択, then <,>,&の変換 and 行末に<BR>挿入 on the whole text.
    editor.choose("alt+e", "a")
    editor.choose("alt+e", "l")
    desk.type("|")
    editor.choose("alt+e", "a")
    editor.choose("alt+e", "b")
    desk.type("!")
    editor.expect_saved(b"a&lt;b&gt;<br>\r\nc&amp;d|!")


def test_editing_the_selected_file_starts_a_second_editor(desk):
    other = desk.write_file("sub/other.html", b"other")
    editor = desk.start_editor(b"sub/other.html")
    desk.key("shift+End", "alt+t", "e")
    second = desk.wait_window(f"{other} - Vuro")
    desk.type("|")
    desk.key("ctrl+s")
    second.wait_title(f"{other}-Vuro")
    wait_until(lambda: (desk.files / "sub/other.html").read_bytes() == b"|other", "the second editor to save")
    assert editor.process.poll() is None and editor.saved_bytes() == b"sub/other.html"


def test_help_key_in_a_dialog_opens_its_page(desk):
    seen = desk.files / "help.txt"
    desk.env["BROWSER"] = desk.add_fake_program("help-browser", f'echo "$1" > "{seen}.part" && mv "{seen}.part" "{seen}"\n')
    editor = desk.start_editor(b"")
    dialog = editor.open_dialog("ctrl+h", "<HR>タグの挿入")
    desk.key("F1")
    wait_until(seen.exists, "the help page to be shown")
    assert seen.read_text().strip().endswith("/help/insdlg.html"), seen.read_text()
    dialog.close_with("Escape")


def test_about_box(desk):
    editor = desk.start_editor(b"")
    desk.key("alt+h", "a")
    desk.wait_window("Vuroのﾊﾞｰｼﾞｮﾝ情報").close_with("Return")
    editor.wait_active()


run_from_command_line()
