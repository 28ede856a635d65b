"""Start-up as a player meets it: the first run, a folder short of pictures, the first deal."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import ywe2e  # noqa: E402
from ywe2e import (ID_BROWSE, ID_CANCEL, ID_OK, ID_PATH, INITIAL_PATH, LEVEL_RADIOS,  # noqa: E402
                   NOT_ENOUGH_TEXT, control, dialogs, make_pictures, windows_path, write_settings)

BROWSE_INSTRUCTION = "Select the folder containing your favorite pictures:"


class StartupCase(ywe2e.GameTestCase):

    def wait_options(self, game):
        return game.wait_dialog("Yorewind", having=ID_PATH)

    def assert_options(self, dialog, path, level):
        self.assertEqual(control(dialog, ID_PATH)["text"], path, "the folder box")
        checked = {lvl: control(dialog, radio)["checked"] for lvl, radio in LEVEL_RADIOS.items()}
        self.assertEqual(checked, {lvl: int(lvl == level) for lvl in LEVEL_RADIOS}, "the level radios")

    def wait_not_enough(self, game):
        box = game.wait_dialog("Yorewind. Error")
        self.assertEqual(ywe2e.message_text(box), NOT_ENOUGH_TEXT)
        self.assertEqual(ywe2e.buttons(box), [(ID_OK, "OK")], "the message has only OK")
        return box

    def cancel_after_not_enough(self, game, box, path, level):
        """OK on the message, the dialog shows the settings, Cancel ends the program keeping them."""
        game.press_and_wait_closed(box, ID_OK)
        self.assert_options(self.wait_options(game), path, level)
        game.press(ID_CANCEL, "Yorewind")
        self.assertEqual(game.wait_exit(), 0, "exit code after Cancel")
        self.assert_settings(path, level)


class FirstRun(StartupCase):

    def test_options_first_then_the_initial_folder_falls_short(self):
        game = self.start()
        options = self.wait_options(game)
        self.assert_options(options, INITIAL_PATH, 1)
        self.assertFalse(game.main_window()["enabled"], "the game window waits behind the modal dialog")

        # The folder browser, cancelled, leaves the folder alone.
        game.press(ID_BROWSE, "Yorewind")
        browser = ywe2e.wait_for(
            "the folder browser",
            lambda: next((d for d in dialogs()
                          if any(c["text"] == BROWSE_INSTRUCTION for c in d["controls"])), None),
            ywe2e.UI_TIMEOUT)
        game.press_and_wait_closed(browser, ID_CANCEL)
        self.assert_options(self.wait_options(game), INITIAL_PATH, 1)

        # Cancel on the first run does not end the program: the initial text is scanned as a folder.
        game.press_and_wait_closed(options, ID_CANCEL)
        # Cancel after the message is the way out, and the settings are kept.
        self.cancel_after_not_enough(game, self.wait_not_enough(game), INITIAL_PATH, 1)


class TooFewPictures(StartupCase):

    def short_folder(self):
        folder = self.picture_folder(17)
        # Neither other file types nor near-miss names count.
        for name in ("notes.txt", "picture.gif", "picture.png.txt", "jpg"):
            with open(os.path.join(folder, name), "w") as f:
                f.write("not a picture")
        return folder

    def test_message_then_options_and_cancel_ends_keeping_settings(self):
        folder = windows_path(self.short_folder())
        write_settings(path=folder, level=3)
        game = self.start()
        box = self.wait_not_enough(game)
        self.assertEqual(box["owner"], game.wait_main()["hwnd"], "the message belongs to the game window")
        self.cancel_after_not_enough(game, box, folder, 3)

    def test_ok_scans_again_and_deals_once_enough(self):
        unix_folder = self.short_folder()
        write_settings(path=windows_path(unix_folder), level=1)
        game = self.start()

        # The same 17 again: the earlier scan's entries must not count twice.
        game.press_and_wait_closed(self.wait_not_enough(game), ID_OK)
        game.press_and_wait_closed(self.wait_options(game), ID_OK)
        game.press_and_wait_closed(self.wait_not_enough(game), ID_OK)

        options = self.wait_options(game)
        make_pictures(unix_folder, 1, start=17)
        game.press_and_wait_closed(options, ID_OK)
        game.wait_main()
        ywe2e.check_board_of_backs(self, game, game.board(1), timeout=ywe2e.START_TIMEOUT)
        self.assertEqual(dialogs(), [])


class FirstDeal(StartupCase):

    def test_eighteen_pictures_of_all_four_kinds_deal_at_once(self):
        folder = self.picture_folder(18, kinds=("jpg", "jpeg", "png", "bmp"))
        write_settings(path=windows_path(folder), level=1)
        game = self.start()
        window = game.wait_main()
        ywe2e.check_board_of_backs(self, game, game.board(1), timeout=ywe2e.START_TIMEOUT)
        self.assertEqual(dialogs(), [], "no message and no dialog")
        self.assertTrue(game.main_window()["enabled"])
        self.assertEqual(window["caption"], "Yorewind")

    def test_stored_level_sets_the_grid(self):
        for level in (3, 4):
            with self.subTest(level=level):
                game, board, _ = self.start_with_pictures(level=level)
                ywe2e.check_board_of_backs(self, game, board)
                game.kill()
                ywe2e.clear_settings()


if __name__ == "__main__":
    ywe2e.main()
