#include "rules/StatusParts.h"

StatusKind ChooseStatus(int players, bool calm) {
    if (calm)
        return players > 1 ? StatusKind::CalmTurnAndPairs : StatusKind::CalmPairs;
    return players > 1 ? StatusKind::PlayerScores : StatusKind::SoloCounts;
}

int StatusPartCount(StatusKind kind, int players) {
    switch (kind) {
        case StatusKind::PlayerScores:
            return players + 2; // the turn, each score, the time
        case StatusKind::SoloCounts:
            return 3; // tries, pairs, time
        default:
            return 1;
    }
}

int TimePart(StatusKind kind, int players) {
    return kind == StatusKind::PlayerScores || kind == StatusKind::SoloCounts ? StatusPartCount(kind, players) - 1
                                                                             : -1;
}
