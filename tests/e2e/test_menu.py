"""The menu commands: a new deal, Options, Exit, About and Donate."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import ywe2e  # noqa: E402
from ywe2e import (ID_CANCEL, ID_OK, ID_PATH, LEVEL_RADIOS, MENU_ABOUT, MENU_DONATE,  # noqa: E402
                   MENU_MORE, MENU_OPTIONS, Board, Player, control, dialogs, windows_path)

DONATE_START = "Thank you for your support! please go to "
DONATE_END = " and make a donation there to support my work."


class HelpMenu(ywe2e.GameTestCase):

    def test_about_box(self):
        game, board, _ = self.start_with_pictures()
        game.menu(MENU_ABOUT)
        about = game.wait_dialog("Yorewind")
        texts = [c["text"] for c in about["controls"] if c["class"].lower() == "static"]
        self.assertIn("Yorewind, Version 1.0", texts)
        self.assertIn("The Simplest is the Best!", texts)
        self.assertEqual(ywe2e.buttons(about), [(ID_OK, "OK")])
        self.assertEqual(about["owner"], game.window["hwnd"])

        game.press_and_wait_closed(about, ID_OK)
        # Back in the game, which still answers clicks.
        Player(game, board).turn_first((2, 3))

    def test_donate_message(self):
        game, board, _ = self.start_with_pictures()
        game.menu(MENU_DONATE)
        box = game.wait_dialog("Donate")
        text = ywe2e.message_text(box)
        self.assertTrue(text.startswith(DONATE_START), text)
        self.assertTrue(text.endswith(DONATE_END), text)
        address = text[len(DONATE_START):-len(DONATE_END)]
        self.assertRegex(address, r"^https?://[^\s/]+/games\.htm$", "the donation page")
        self.assertEqual(ywe2e.buttons(box), [(ID_OK, "OK")], "the message has only OK")

        game.press_and_wait_closed(box, ID_OK)
        Player(game, board).turn_first((0, 1))


class FileAndSettingsMenus(ywe2e.GameTestCase):

    def open_options(self, game):
        game.menu(MENU_OPTIONS)
        return game.wait_dialog("Yorewind", having=ID_PATH)

    def click_radio(self, game, level):
        game.press(LEVEL_RADIOS[level], "Yorewind")
        ywe2e.wait_for("the radio of level %d to be checked" % level,
                       lambda: control(game.dialog("Yorewind"), LEVEL_RADIOS[level])["checked"] == 1,
                       ywe2e.UI_TIMEOUT)

    def test_exit_ends_and_stores_the_settings(self):
        game, board, folder = self.start_with_pictures(level=2)
        ywe2e.check_board_of_backs(self, game, board)
        self.exit_by_menu(game)
        self.assert_settings(windows_path(folder), 2)

    def test_level_from_options_takes_effect_at_the_next_deal(self):
        game, board, folder = self.start_with_pictures(level=1)
        options = self.open_options(game)
        self.assertEqual(control(options, ID_PATH)["text"], windows_path(folder))
        self.assertEqual(control(options, LEVEL_RADIOS[1])["checked"], 1)
        self.click_radio(game, 4)
        game.press_and_wait_closed(options, ID_OK)

        # The running deal stays as it was.
        self.assertIsNone(game.changes_within(board, game.wait_all_backs(board), 0.5),
                          "the board changed before a new deal")
        game.menu(MENU_MORE)
        ywe2e.check_board_of_backs(self, game, Board(board.client_width, board.client_height, 4))
        self.exit_by_menu(game)
        self.assert_settings(windows_path(folder), 4)

    def test_cancelled_options_change_nothing(self):
        game, board, folder = self.start_with_pictures(level=1)
        options = self.open_options(game)
        self.click_radio(game, 4)
        game.press_and_wait_closed(options, ID_CANCEL)

        # A turned card shows that the deal below is a new one.
        Player(game, board).turn_first((3, 0))
        game.menu(MENU_MORE)
        ywe2e.check_board_of_backs(self, game, board)
        self.assertEqual(dialogs(), [])
        self.exit_by_menu(game)
        self.assert_settings(windows_path(folder), 1)


if __name__ == "__main__":
    ywe2e.main()
