#include "board/EndQuestion.h"

#include <vector>

#include "app/PlayerSettings.h"
#include "app/Texts.h"
#include "res/resource.h"
#include "rules/GameState.h"
#include "rules/NameList.h"
#include "rules/PlayerTurns.h"

namespace {

// "Ann", "Ann and Bob", "Ann, Bob and Cy" in the player's language.
std::wstring PlayerList(const std::vector<int>& players) {
    std::vector<std::string> names;
    for (int player : players)
        names.push_back(NarrowText(PlayerName(player), CP_UTF8));
    const auto word = [](UINT id) { return NarrowText(LoadText(id), CP_UTF8); };
    return WideText(NameList(names, {word(IDS_NAME_LIST_COMMA), word(IDS_NAME_LIST_AND)}), CP_UTF8);
}

// "Scores: Ann: 5, Bob: 2, Cy: 1".
std::wstring Scores() {
    std::wstring scores;
    for (int player = 0; player < Round.Count; ++player) {
        const std::wstring score = FormatText(IDS_PLAYER_SCORE, {PlayerName(player), Round.Scores[player]});
        scores = player == 0 ? score : FormatText(IDS_NAME_LIST_COMMA, {scores, score});
    }
    return FormatText(IDS_END_SCORES, {scores});
}

// FormatMessageW writes the pattern's line breaks as CR LF; the box's text has LF alone.
std::wstring Lines(std::wstring text) {
    for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at))
        text.erase(at, 1);
    return text;
}

} // namespace

std::wstring EndQuestion() {
    const std::vector<int> leaders = Leaders(Round);
    const int top = Round.Scores[leaders.front()];
    std::wstring result;
    switch (ChooseEndText(Round)) {
        case EndText::Calm:
            return LoadText(IDS_END_CALM);
        case EndText::Solo:
            return Lines(FormatText(IDS_END_SOLO, {Tries}));
        case EndText::Winner:
            result = FormatText(IDS_END_WINNER,
                                {PlayerName(leaders.front()), top, Round.Scores[1 - leaders.front()]});
            break;
        case EndText::Tie:
            result = FormatText(IDS_END_TIE, {PlayerList(leaders), top});
            break;
        case EndText::WinnerMany:
            result = FormatText(IDS_END_WINNER_MANY, {PlayerName(leaders.front()), top}) + L"\n" + Scores();
            break;
        case EndText::TieMany:
            result = FormatText(IDS_END_TIE_MANY, {PlayerList(leaders), top}) + L"\n" + Scores();
            break;
    }
    return result + L"\n" + LoadText(IDS_DO_IT_AGAIN);
}
