// The classic random shuffle over rand(), 15 bits per draw.
#pragma once

#include <string>
#include <vector>

#include "rules/RandomDraw.h"

// Swaps each position k from 1 on with a random position 0..k. Below 32768 entries each
// position costs exactly one draw; a list of one entry costs none.
void ShuffleList(std::vector<std::string>& list, const RandomDraw& draw);
