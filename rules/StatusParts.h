// What the status bar says: one player's tries, pairs and time; several players' turn, scores and
// time; or, in a calm round, the turn where several play and the pairs found, nothing counted.
#pragma once

enum class StatusKind { SoloCounts, PlayerScores, CalmPairs, CalmTurnAndPairs };

// The bar's texts for a round of that many players, calm or not.
StatusKind ChooseStatus(int players, bool calm);

// How many parts the bar has for them: the calm bar's one text fills it.
int StatusPartCount(StatusKind kind, int players);

// The part that shows the round's time; -1 when the bar shows none.
int TimePart(StatusKind kind, int players);
