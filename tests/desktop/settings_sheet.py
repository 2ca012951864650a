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
    sheet = desk.wait_window("設定")
    desk.key("alt+i")
    desk.type(browser)
    # Each page puts its values in place when first shown. ツールバー: the image type.
    sheet.press_and_wait_repaint("ctrl+Tab")
    desk.key("alt+i")
    # 日付と時刻の書式: the second date style.
    sheet.press_and_wait_repaint("ctrl+Tab")
    desk.key("alt+d", "Down")
    # その他: four columns to a tab.
    sheet.press_and_wait_repaint("ctrl+Tab")
    desk.key("alt+t", "ctrl+a")
    desk.type("4")
    sheet.close_with("Return")
    editor.wait_active()

    # The profile is written as the sheet closes; it may reach the disk a moment later.
    expected = {("Browser", "IE"): browser, ("ToolBar", "Resource"): "0", ("DateTimeFormat", "Date"): "2",
                ("Settings", "TabStop"): "16",
                # every tool-bar button has its hidden flag
                ("ToolBar", "32771"): "1", ("ToolBar", "57600"): "0"}
    written = lambda: {key: desk.profile().get(*key, fallback=None) for key in expected}
    wait_until(lambda: written() == expected, lambda: f"the profile to hold {expected}; it holds {written()}")

    # The editor takes the new date style and browser at once.
    before = datetime.date.today()
    editor.choose("alt+i", "d")
    desk.type("|")
    after = datetime.date.today()
    dates = {f"{d:%Y/%m/%d}({WEEKDAYS[d.weekday()]})|".encode() for d in (before, after)}
    editor.save()
    wait_until(lambda: editor.saved_bytes() in dates, lambda: f"one of {dates}; the file holds {editor.saved_bytes()!r}")
    editor.choose("alt+v", "p", "i")
    wait_until(seen.exists, "the first browser to show the preview copy")
    assert seen.read_text().strip() == str(desk.files / "~page.html")


run_from_command_line()
