// A name card's face: the name set by NameCardLayout and drawn with GDI into pixels of the card's
// own size, as the board's picture cards are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The name (UTF-8) centred on a width x height card (0x00RRGGBB pixels, row by row) in the board's
// colours, or the system's under high contrast. A right-to-left name reads right to left.
std::vector<uint32_t> DrawNameCard(const std::string& name, int width, int height);
