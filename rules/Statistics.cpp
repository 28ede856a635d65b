#include "rules/Statistics.h"

#include <algorithm>
#include <limits>

LevelRecord CheckedLevelRecord(const LevelRecord& stored, int pairs) {
    const LevelRecord none = {0, 0, 0};
    if (stored.Rounds == 0 || pairs <= 0)
        return none;
    if (stored.Fewest < uint32_t(pairs) || stored.Tries / stored.Rounds < stored.Fewest)
        return none;
    return stored;
}

LevelRecord AddSoloRound(const LevelRecord& record, uint32_t tries) {
    LevelRecord next = record;
    if (next.Rounds < std::numeric_limits<uint32_t>::max())
        ++next.Rounds;
    next.Fewest = record.Rounds == 0 ? tries : std::min(record.Fewest, tries);
    const uint64_t room = std::numeric_limits<uint64_t>::max() - record.Tries;
    next.Tries = tries > room ? std::numeric_limits<uint64_t>::max() : record.Tries + tries;
    return next;
}

uint64_t AverageTenths(const LevelRecord& record) {
    if (record.Rounds == 0)
        return 0;
    // Whole tries and the remainder apart, so ten times the total cannot overflow.
    const uint64_t whole = record.Tries / record.Rounds;
    const uint64_t rest = record.Tries % record.Rounds;
    return whole * 10 + (rest * 20 + record.Rounds) / (2 * uint64_t(record.Rounds));
}

uint32_t CheckedBestTime(uint32_t seconds, int pairs) {
    return pairs > 0 && seconds >= uint32_t(pairs) ? seconds : 0;
}

uint32_t BetterTime(uint32_t best, uint32_t seconds) {
    return best == 0 ? seconds : std::min(best, seconds);
}

void AddWins(std::vector<WinRecord>* wins, const std::vector<std::wstring>& winners) {
    std::vector<std::wstring> names = winners;
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    for (const std::wstring& name : names) {
        auto entry =
            std::find_if(wins->begin(), wins->end(), [&](const WinRecord& w) { return w.Name == name; });
        if (entry == wins->end())
            wins->push_back({name, 1});
        else if (entry->Wins < std::numeric_limits<uint32_t>::max())
            ++entry->Wins;
    }
}

std::vector<WinRecord> TopWinners(std::vector<WinRecord> wins, size_t count) {
    wins.erase(std::remove_if(wins.begin(), wins.end(), [](const WinRecord& w) { return w.Wins == 0; }),
               wins.end());
    std::sort(wins.begin(), wins.end(), [](const WinRecord& a, const WinRecord& b) {
        return a.Wins != b.Wins ? a.Wins > b.Wins : a.Name < b.Name;
    });
    if (wins.size() > count)
        wins.resize(count);
    return wins;
}
