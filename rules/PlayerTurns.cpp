#include "rules/PlayerTurns.h"

PlayersRound Round = {1, 0, -1, {}, {}, {}, NormalStrength};

bool ComputersTurn() {
    return Round.Turn >= 0 && Round.Turn < Round.Count && Round.Computer[Round.Turn] && !RoundOver();
}

void StartPlayersRound(PlayersRound* round, int count) {
    round->Count = count >= 1 && count <= MaxPlayers ? count : 1;
    round->Starter = (round->Starter + 1) % round->Count;
    round->Turn = round->Starter;
    for (int& score : round->Scores)
        score = 0;
    for (int& finder : round->Finders)
        finder = -1;
    for (bool& computer : round->Computer)
        computer = false;
}

void FollowTry(PlayersRound* round, const ClickOutcome& outcome, int picture) {
    for (int i = 0; i < outcome.CueCount; ++i) {
        if (outcome.Cues[i] == Cue::Match) {
            if (!CalmRound)
                ++round->Scores[round->Turn];
            if (picture >= 0 && picture < CardImageCount)
                round->Finders[picture] = round->Turn;
        } else if (outcome.Cues[i] == Cue::Miss) {
            round->Turn = (round->Turn + 1) % round->Count;
        }
    }
}

std::vector<int> Leaders(const PlayersRound& round) {
    int top = 0;
    for (int player = 0; player < round.Count; ++player)
        top = round.Scores[player] > top ? round.Scores[player] : top;
    std::vector<int> leaders;
    for (int player = 0; player < round.Count; ++player)
        if (round.Scores[player] == top)
            leaders.push_back(player);
    return leaders;
}

EndText ChooseEndText(const PlayersRound& round) {
    if (CalmRound)
        return EndText::Calm;
    if (round.Count < 2)
        return EndText::Solo;
    const bool tie = Leaders(round).size() > 1;
    if (round.Count == 2)
        return tie ? EndText::Tie : EndText::Winner;
    return tie ? EndText::TieMany : EndText::WinnerMany;
}
