"""Unsaved work survives a crash, a termination signal and a clipboard owner that hangs."""

import signal
import subprocess
import sys
from pathlib import Path

from vurodesk import cp932, wait_until, run_from_command_line

HELPERS = Path(__file__).resolve().parent / "helpers"
QUESTION = "前回保存されなかった変更が残っています。"


def state_folder(desk):
    return desk.home / ".local/state/Brellmoor/Vuro"


def copies(desk):
    folder = state_folder(desk)
    return sorted(folder.glob("recovery-*")) if folder.exists() else []


def copy_holding(desk, text):
    """Waits until this run's recovery copy holds text (its last part)."""
    def holds():
        for copy in copies(desk):
            data = copy.read_bytes()
            if b"\ntext " in data and text in data:
                return copy
        return None
    return wait_until(holds, f"a recovery copy holding {text!r}; there are {copies(desk)}")


def restart_and_restore(desk, answer="Return"):
    """Starts the editor again without a file and answers the recovery question (Return
    takes the default, はい)."""
    process = desk.spawn([str(desk.bin / "weftpage")], "weftpage-again")
    question = desk.wait_window("Vuro")
    desk.screenshot("question.png")
    desk.key(answer)
    question.wait_closed()
    return process


def test_typed_text_comes_back_after_kill_9(desk):
    editor = desk.start_editor(cp932("<p>古い</p>\r\n"))
    desk.key("ctrl+End")
    desk.type("new words")
    desk.key("Return")
    expected = cp932("<p>古い</p>\r\nnew words\r\n")
    copy_holding(desk, expected)
    editor.process.send_signal(signal.SIGKILL)
    editor.wait_exit()

    again = restart_and_restore(desk)
    window = desk.wait_window(f"{editor.path} - Vuro")
    # Saving goes straight to the file, without a dialog, and writes exactly the typed text.
    desk.key("ctrl+s")
    window.wait_title(f"{editor.path}-Vuro")
    wait_until(lambda: Path(editor.path).read_bytes() == expected,
               f"the file to hold {expected!r}; it holds {Path(editor.path).read_bytes()!r}")
    # Saved: nothing is left to recover, and nothing is asked at the next start.
    wait_until(lambda: not copies(desk), "the recovery copy to go after the save")
    again.send_signal(signal.SIGTERM)
    assert again.wait(timeout=20) == 0


def test_declining_deletes_the_copy_and_keeps_the_file(desk):
    editor = desk.start_editor(b"<p>kept</p>")
    desk.type("x")
    copy_holding(desk, b"x<p>kept</p>")
    editor.process.send_signal(signal.SIGKILL)
    editor.wait_exit()
    restart_and_restore(desk, answer="n")
    desk.wait_window("無題 - Vuro")
    assert not copies(desk), copies(desk)
    assert Path(editor.path).read_bytes() == b"<p>kept</p>"


def test_sigterm_right_after_typing_keeps_the_text_and_the_profile(desk):
    editor = desk.start_editor(b"<p>a</p>")
    desk.key("ctrl+End")
    desk.type("typed just now")
    # No pause for the copy's timer: the signal itself must write it.
    editor.process.send_signal(signal.SIGTERM)
    assert editor.wait_exit() == 0
    assert copy_holding(desk, b"<p>a</p>typed just now")
    profile = desk.profile()
    assert profile.has_section("BarState"), profile.sections()
    assert (desk.bin / "vurofkey.dat").exists()

    restart_and_restore(desk)
    window = desk.wait_window(f"{editor.path} - Vuro")
    desk.key("ctrl+s")
    window.wait_title(f"{editor.path}-Vuro")
    assert Path(editor.path).read_bytes() == b"<p>a</p>typed just now"


def test_sighup_while_the_save_question_shows_keeps_the_text(desk):
    editor = desk.start_editor(b"<p>x</p>")
    desk.type("abc")
    desk.key("alt+f", "x")  # ﾌｧｲﾙ > ｱﾌﾟﾘｹｰｼｮﾝの終了: the save question opens
    desk.wait_window("Vuro")
    # The question ends with the program; whatever it returns must not throw the text away.
    editor.process.send_signal(signal.SIGHUP)
    assert editor.wait_exit() == 0
    assert copy_holding(desk, b"abc<p>x</p>")
    assert Path(editor.path).read_bytes() == b"<p>x</p>"


def test_sigterm_during_the_recovery_question_keeps_the_copy_for_later(desk):
    editor = desk.start_editor(b"")
    desk.type("twice lost")
    copy_holding(desk, b"twice lost")
    editor.process.send_signal(signal.SIGKILL)
    editor.wait_exit()
    again = desk.spawn([str(desk.bin / "weftpage")], "weftpage-again")
    desk.wait_window("Vuro")
    again.send_signal(signal.SIGTERM)
    assert again.wait(timeout=20) == 0
    assert copy_holding(desk, b"twice lost")
    restart_and_restore(desk)
    window = desk.wait_window(f"{editor.path} - Vuro")
    desk.key("ctrl+s")
    window.wait_title(f"{editor.path}-Vuro")
    assert Path(editor.path).read_bytes() == b"twice lost"


def test_normal_close_after_declining_to_save_leaves_no_copy(desk):
    editor = desk.start_editor(b"")
    desk.type("draft")
    copy_holding(desk, b"draft")
    desk.key("alt+f", "x")  # ﾌｧｲﾙ > ｱﾌﾟﾘｹｰｼｮﾝの終了
    question = desk.wait_window("Vuro")
    desk.key("n")
    question.wait_closed()
    assert editor.wait_exit() == 0
    assert not copies(desk), copies(desk)


def test_typing_goes_on_while_the_clipboard_owner_hangs(desk):
    editor = desk.start_editor(b"<p></p>")
    owner = desk.spawn([sys.executable, str(HELPERS / "frozen_clipboard_owner.py")], "frozen-owner")
    log = desk.root / "frozen-owner.log"
    wait_until(lambda: log.exists() and "owner" in log.read_text(), "the hanging program to own the clipboard")
    desk.type("still typing")
    desk.key("ctrl+v")  # greyed: the owner never told what it holds
    desk.type("!")
    editor.expect_saved(b"still typing!<p></p>")
    # The editor asked the owner for its formats only (never for the content), and not on
    # every timer tick: a few requests at most over the whole run.
    requests = [line.split()[1] for line in log.read_text().splitlines() if line.startswith("request")]
    assert requests and set(requests) == {"TARGETS"}, requests
    assert len(requests) <= 3, requests
    assert owner.poll() is None


def test_paste_follows_the_clipboard_of_other_programs(desk):
    editor = desk.start_editor(b"")
    desk.set_clipboard("貼り付け")
    desk.key("ctrl+v")
    editor.expect_saved(cp932("貼り付け"))


def test_the_copy_follows_undo_and_redo(desk):
    desk.write_function_keys({(2, 1): 57642})  # Shift+F2: Select All
    desk.start_editor(b"<p>kept</p>")

    def copy_of(text):
        """Waits until the copy holds exactly text."""
        whole = b"\ntext " + str(len(text)).encode() + b"\n" + text + b"\ncheck "
        return wait_until(lambda: any(whole in c.read_bytes() for c in copies(desk)),
                          f"a recovery copy holding exactly {text!r}")

    desk.key("shift+F2")
    desk.type("x")
    copy_of(b"x")
    # Undone back to the file's text: there is nothing to recover, and the copy of "x" goes.
    desk.key("ctrl+z")
    wait_until(lambda: not copies(desk), "the copy to go when the text is the file's again")
    desk.key("ctrl+alt+z")
    copy_of(b"x")
    desk.key("ctrl+z", "ctrl+End")
    desk.type("!")
    copy_of(b"<p>kept</p>!")


run_from_command_line()
