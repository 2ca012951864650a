"""The settings sheet driven with the keyboard: OK writes every page's values to the profile
(~/.config/Brellmoor/Vuro.conf) and the editor uses them at once."""

import datetime

from vurodesk import run_from_command_line, wait_until

WEEKDAYS = ["Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"]


def test_ok_writes_every_page_to_the_profile(desk):
    seen = desk.files / "seen.txt"
    browser = desk.add_fake_program("first-browser", f'echo "$1" > "{seen}.part" && mv "{seen}.part" "{seen}"\n')
    editor = desk.start_editor(b"")
    desk.key("alt+t", "c")
    desk.wait_window("設定")
    desk.key("alt+i")
    desk.type(browser)
    # ツールバー: the image type.
    desk.key("ctrl+Tab", "alt+i")
    # 日付と時刻の書式: the second date style.
    desk.key("ctrl+Tab", "alt+d", "Down")
    # その他: four columns to a tab.
    desk.key("ctrl+Tab", "alt+t", "ctrl+a")
    desk.type("4")
    desk.wait_window("設定").close_with("Return")
    editor.wait_active()

    profile = desk.profile()
    assert profile.get("Browser", "IE") == browser, dict(profile.items("Browser"))
    assert profile.get("ToolBar", "Resource") == "0"
    assert profile.get("DateTimeFormat", "Date") == "2"
    assert profile.get("Settings", "TabStop") == "16"
    # Every tool-bar button has its hidden flag.
    assert profile.has_option("ToolBar", "32771") and profile.has_option("ToolBar", "57600")

    # The editor takes the new date style and browser at once.
    before = datetime.date.today()
    desk.key("alt+i", "d")
    desk.type("|")
    after = datetime.date.today()
    dates = {f"{d:%Y/%m/%d}({WEEKDAYS[d.weekday()]})|".encode() for d in (before, after)}
    editor.save()
    wait_until(lambda: editor.saved_bytes() in dates, f"one of {dates}; the file holds {editor.saved_bytes()!r}")
    desk.key("alt+v", "p", "i")
    wait_until(seen.exists, "the first browser to show the preview copy")
    assert seen.read_text().strip() == str(desk.files / "~page.html")


run_from_command_line()
