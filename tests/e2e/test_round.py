"""A round played by clicks: tries, misses, the end-of-round question and what follows it."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import ywe2e  # noqa: E402
from ywe2e import ID_NO, ID_YES, MENU_MORE, Player, dialogs, question_text  # noqa: E402


class WholeRound(ywe2e.GameTestCase):

    def finish_round(self, game, board):
        player = Player(game, board)
        question = player.play_round()
        self.assertEqual(ywe2e.message_text(question), question_text(player.tries))
        self.assertEqual(ywe2e.buttons(question), [(ID_YES, "Yes"), (ID_NO, "No")])
        wrong = player.check_revealed(question)
        self.assertEqual(wrong, {}, "cards not showing their picture behind the question")
        return player, question

    def test_yes_deals_a_fresh_board(self):
        game, board, _ = self.start_with_pictures()
        player, question = self.finish_round(game, board)
        self.assertEqual(len(set(player.pictures.values())), 8, "8 different pictures in a 4x4 deal")

        game.press_and_wait_closed(question, ID_YES)
        game.wait_all_backs(board)
        # The new round plays: a card turns up again.
        Player(game, board).turn_first((0, 0))

    def test_no_leaves_the_board_up_and_clicks_change_nothing(self):
        game, board, _ = self.start_with_pictures()
        player, question = self.finish_round(game, board)

        game.press_and_wait_closed(question, ID_NO)
        everything_up = player.wait_model("the whole board face up after No")
        for cell in [(0, 0), (3, 3), (1, 2), (1, 2), (2, 1)]:
            game.click_cell(board, cell)
        # Nothing may happen, so watch several frames for a change.
        self.assertIsNone(game.changes_within(board, everything_up), "a click changed the finished board")
        self.assertEqual(dialogs(), [], "a click on the finished board opened a dialog")
        # The program is still alive and drawing: a new deal shows.
        game.menu(MENU_MORE)
        game.wait_all_backs(board)


class Tries(ywe2e.GameTestCase):

    def test_missed_pair_stays_up_until_a_click_elsewhere(self):
        game, board, _ = self.start_with_pictures()
        player = Player(game, board)
        first, second = player.play_until_miss()
        shown = player.wait_model("the missed pair face up")

        # The first card of the missed try and any found card do not turn the pair back.
        quiet_clicks = [first] + sorted(player.found)[:1]
        for cell in quiet_clicks:
            game.click_cell(board, cell)
        self.assertIsNone(game.changes_within(board, shown),
                          "the missed pair changed on clicks on %s" % (quiet_clicks,))

        # A face-down card: only the pair goes back, the clicked card stays down.
        elsewhere = next(cell for cell in board.cells()
                         if cell not in player.found and cell not in (first, second))
        player.turn_back(elsewhere)
        # That click was used up; the next one on it starts a try.
        player.turn_first(elsewhere)
        alone = player.wait_model("card %s up alone" % (elsewhere,))
        # The first card of a try, clicked again, stays alone.
        game.click_cell(board, elsewhere)
        self.assertIsNone(game.changes_within(board, alone, 0.5),
                          "a second click on the first card of a try changed the board")

    def test_right_button_turns_cards_too(self):
        game, board, _ = self.start_with_pictures()
        player = Player(game, board)
        player.turn_first((1, 1), button=3)
        player.turn_second((2, 2), button=3)

    def test_more_mid_round_starts_the_round_over(self):
        game, board, _ = self.start_with_pictures()
        player = Player(game, board)
        while not player.found:
            player.play_try()
        if player.missed:
            player.turn_back()
        player.turn_first(next(c for c in board.cells() if c not in player.found))

        game.menu(MENU_MORE)
        game.wait_all_backs(board)
        # Tries and found pairs start from zero: the round needs all 8 pairs and counts anew.
        fresh = Player(game, board)
        question = fresh.play_round()
        self.assertEqual(ywe2e.message_text(question), question_text(fresh.tries))
        game.press_and_wait_closed(question, ID_NO)


if __name__ == "__main__":
    ywe2e.main()
