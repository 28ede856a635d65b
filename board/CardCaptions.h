// Names as captions: in a calm round, a picture whose name is known shows it in a band at its card's
// foot, laid out as a name card lays its name out, so the player is told who it is, not asked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Draws the name in a band across the foot of the card's pixels (width by height, top row first);
// nothing for an empty name.
void AddCaption(std::vector<uint32_t>* card, int width, int height, const std::string& name);
