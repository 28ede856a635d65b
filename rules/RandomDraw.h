// The source of random numbers for a deal: rand() in the game, a script in the tests.
#pragma once

#include <functional>

// Each draw yields a non-negative number with at least 15 random bits.
using RandomDraw = std::function<int()>;
