"""Seeing the page: the message for pages not in Shift-JIS (or declaring another charset),
the conversion of platform-dependent characters to references, the jump to the next one,
and the View menu's switches kept over a restart."""

import time

from vurodesk import run_from_command_line, wait_until

JAPANESE = "日本語のページです。"
SJIS = JAPANESE.encode("cp932")


def page(body, head=b""):
    return b"<html><head>\r\n" + head + b"<title>t</title>\r\n</head>\r\n<body>\r\n" + body + b"\r\n</body></html>\r\n"


MUST_WARN = {
    "utf8": page(JAPANESE.encode("utf-8")),
    "utf8_bom": b"\xef\xbb\xbf" + page(JAPANESE.encode("utf-8")),
    "utf16_bom": "<html><body>日本語</body></html>".encode("utf-16"),
    "euc_jp": page(JAPANESE.encode("euc-jp")),
    "iso2022jp": page(JAPANESE.encode("iso-2022-jp")),
    "sjis_declaring_utf8": page(SJIS, b'<meta http-equiv="Content-Type" content="text/html; charset=utf-8">\r\n'),
}
MUST_STAY_SILENT = {
    "ascii": page(b"plain text"),
    "sjis": page(SJIS + " ①髙ｶﾀｶﾅ表示".encode("cp932")),
    "sjis_declaring_shift_jis": page(SJIS, b'<meta charset="Shift_JIS">\r\n'),
    "sjis_declaring_x_sjis": page(SJIS, b"<META HTTP-EQUIV=Content-Type CONTENT='text/html; charset=X-SJIS'>\r\n"),
    "sjis_declaring_windows_31j": page(SJIS, b"<meta charset=windows-31j>\r\n"),
    "sjis_declaring_cp932": page(SJIS, b'<meta charset="cp932">\r\n'),
}


def test_encoding_message_for_each_sample_page(desk):
    for name, content in MUST_WARN.items():
        path = desk.write_file(name + ".html", content)
        process = desk.spawn([str(desk.bin / "weftpage"), path], "weftpage-" + name)
        box = desk.wait_window("Vuro")
        box.close_with("Return")
        editor = desk.wait_window(f"{path} - Vuro")
        # One message per open: none comes after it.
        time.sleep(0.5)
        assert desk.find_window("Vuro") is None, f"a second message for {name}"
        editor.close_with("alt+f", "x")
        wait_until(lambda: process.poll() is not None, f"the editor of {name} to end")
    for name, content in MUST_STAY_SILENT.items():
        editor = desk.start_editor(content, name + ".html")
        time.sleep(0.5)
        assert desk.find_window("Vuro") is None, f"a message for {name}"
        editor.close_with("alt+f", "x")


def test_conversion_writes_references_as_one_undo_step(desk):
    original = "a①Ⅲ㈱b髙".encode("cp932") + b"\xf0\x40c"
    editor = desk.start_editor(original)
    # Undone twice (the typed "|", then the conversion), the text is what it was.
    editor.choose("alt+e", "a")  # すべて選択
    editor.choose("alt+e", "k")  # 機種依存文字を文字参照に変換
    desk.type("|")
    desk.key("ctrl+z", "ctrl+z")
    editor.expect_saved(original)
    editor.choose("alt+e", "a")
    editor.choose("alt+e", "k")
    desk.type("|")  # the caret stands after the converted text
    editor.expect_saved(b"a&#x2460;&#x2162;&#x3231;b&#x9AD9;\xf0\x40c|")


def test_jump_selects_the_next_dependent_character_and_wraps(desk):
    editor = desk.start_editor("<p>①x</p>\r\n<p>﨑</p>".encode("cp932"))
    desk.key("ctrl+End")
    editor.choose("alt+v", "j", "k")  # wraps to the first one
    desk.type("A")
    editor.choose("alt+v", "j", "k")
    desk.type("B")
    editor.expect_saved(b"<p>Ax</p>\r\n<p>B</p>")
    # None left: the selection stays as it is (the status bar says so).
    desk.key("shift+Left")
    editor.choose("alt+v", "j", "k")
    desk.type("C")
    editor.expect_saved(b"<p>Ax</p>\r\n<p>C</p>")


def test_view_switches_are_kept_over_a_restart(desk):
    editor = desk.start_editor(page("①".encode("cp932")))
    desk.screenshot("before.png")
    editor.choose("alt+v", "h")  # HTMLの色分け off
    editor.choose("alt+v", "k")  # 機種依存文字の強調 off
    editor.choose("alt+v", "l")  # 行番号 on
    desk.screenshot("switched.png")
    editor.close_with("alt+f", "x")
    editor.wait_exit()
    view = desk.profile()["View"]
    assert (view["Colour"], view["MarkDependent"], view["LineNumbers"]) == ("0", "0", "1"), dict(view)
    # Restarted, the editor starts from the kept switches: choosing each once more turns it back.
    editor = desk.start_editor(page(b"x"), "second.html")
    editor.choose("alt+v", "h")
    editor.choose("alt+v", "k")
    editor.choose("alt+v", "l")
    editor.close_with("alt+f", "x")
    editor.wait_exit()
    view = desk.profile()["View"]
    assert (view["Colour"], view["MarkDependent"], view["LineNumbers"]) == ("1", "1", "0"), dict(view)


run_from_command_line()
