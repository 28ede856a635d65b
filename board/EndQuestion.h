// The question at the end of a round: one player's tries, or the players' winner and scores,
// then whether to play again.
#pragma once

#include <string>

std::wstring EndQuestion();
