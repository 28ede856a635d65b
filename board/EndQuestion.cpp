#include "board/EndQuestion.h"

#include <vector>

#include "app/PlayerSettings.h"
#include "app/Texts.h"
#include "res/resource.h"
#include "rules/GameState.h"
#include "rules/PlayerTurns.h"

namespace {

// "Ann", "Ann and Bob", "Ann, Bob and Cy": the last two joined by "and", the others by commas.
std::wstring NameList(const std::vector<int>& players) {
    std::wstring list;
    for (size_t i = 0; i < players.size(); ++i) {
        const std::wstring name = PlayerName(players[i]);
        if (i == 0)
            list = name;
        else
            list =
                FormatText(i + 1 == players.size() ? IDS_NAME_LIST_AND : IDS_NAME_LIST_COMMA, {list, name});
    }
    return list;
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
            result = FormatText(IDS_END_TIE, {NameList(leaders), top});
            break;
        case EndText::WinnerMany:
            result = FormatText(IDS_END_WINNER_MANY, {PlayerName(leaders.front()), top}) + L"\n" + Scores();
            break;
        case EndText::TieMany:
            result = FormatText(IDS_END_TIE_MANY, {NameList(leaders), top}) + L"\n" + Scores();
            break;
    }
    return result + L"\n" + LoadText(IDS_DO_IT_AGAIN);
}
