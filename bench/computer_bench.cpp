// Rounds of two computer players of chosen memories played against each other through the game's
// own rules, natively: each pairing's win share and tries per round, at every board from the
// smallest to the largest.
//   computer_bench [ROUNDS]   (10,000 by default)
#include <cstdio>
#include <cstdlib>
#include <random>

#include "rules/ComputerPlayer.h"
#include "rules/Deal.h"
#include "rules/PlayerTurns.h"

namespace {

struct Player {
    const char* Name;
    MemoryShape Memory;
};

const Player Nobody = {"remembers nothing", {0, 0}};
const Player Perfect = {"perfect memory", {100, MaxGridSide* MaxGridSide}};
const Player Easy = {"Easy", StrengthMemory(1)};
const Player Normal = {"Normal", StrengthMemory(2)};
const Player Hard = {"Hard", StrengthMemory(3)};

struct Tally {
    double FirstShare; // the first player's wins, a tie counting half, per round
    double Tries;      // per round
};

// Seats alternate who starts: the round's players carry the last starter on.
Tally Play(const Player& first, const Player& second, int level, int rounds, std::mt19937* random) {
    const RandomDraw draw = [random] { return static_cast<int>((*random)() & 0x7FFF); };
    PlayersRound round = {2, 0, -1, {}, {}, {}, NormalStrength};
    double share = 0;
    long long tries = 0;
    for (int r = 0; r < rounds; ++r) {
        ApplyLevel(level);
        ClearBoard();
        ResetTry();
        DealPairs(draw);
        StartPlayersRound(&round, 2);
        CardMemory memories[2] = {CardMemory(first.Memory), CardMemory(second.Memory)};
        for (bool ended = false; !ended;) {
            const Cell cell = ChooseCard(memories[round.Turn], draw);
            const int picture = Board[cell.Column][cell.Row];
            const ClickOutcome outcome = ApplyClick(cell);
            FollowTry(&round, outcome, picture);
            WatchTurn(memories, 2, cell, outcome, draw);
            ended = outcome.RoundEnded;
        }
        share += round.Scores[0] > round.Scores[1] ? 1.0 : round.Scores[0] == round.Scores[1] ? 0.5 : 0.0;
        tries += Tries;
    }
    return {share / rounds, double(tries) / rounds};
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 10000;
    if (rounds <= 0)
        return 1;
    const struct {
        const Player& First;
        const Player& Second;
    } pairings[] = {{Easy, Nobody}, {Normal, Nobody}, {Hard, Nobody},
                    {Normal, Easy}, {Hard, Normal},   {Hard, Perfect}};
    std::printf(
        "Memories: Easy %d %% of %d cards, Normal %d %% of %d, Hard %d %% of %d; %d rounds a pairing\n",
        Easy.Memory.KeepPercent, Easy.Memory.Capacity, Normal.Memory.KeepPercent, Normal.Memory.Capacity,
        Hard.Memory.KeepPercent, Hard.Memory.Capacity, rounds);
    std::printf("%-34s %6s %12s %14s\n", "Pairing", "Level", "First wins", "Tries a round");
    std::mt19937 random(20261207);
    for (int level : LevelsBySize)
        for (const auto& p : pairings) {
            const Tally tally = Play(p.First, p.Second, level, rounds, &random);
            std::printf("%-8s against %-17s %6d %10.1f %% %14.1f\n", p.First.Name, p.Second.Name, level,
                        tally.FirstShare * 100, tally.Tries);
        }
    return 0;
}
