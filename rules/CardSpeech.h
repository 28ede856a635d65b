// What a screen reader hears of a card: where it lies and what it shows, in the words of the
// player's language.
#pragma once

#include <string>
#include <vector>

#include "rules/GameState.h"

enum class CardFace { Down, Up, Found };

// What the card shows now: found, up as a pick of the try, or its back.
CardFace FaceOf(const Cell& cell);

// The faces of the whole grid, to tell which cards a turn changed.
struct BoardFaces {
    CardFace Faces[MaxGridSide][MaxGridSide]; // [column][row]
};
BoardFaces ShownFaces();

// The words of a card's name, UTF-8, in the player's language: patterns whose %1, %2, %3 (a
// FormatMessage spec such as !d! after one is allowed) take their inserts in order. English
// unless the caller fills them from the string table.
struct CardWords {
    std::string Place = "Row %1!d!, column %2!d!: %3"; // row, column, what the card shows
    std::string FaceDown = "face down";
    std::string NoPicture = "no picture";
    std::string Found = "%1, found"; // what the card shows
    std::string FoundBy = "%1, found by %2"; // what the card shows, who found it
    std::string TurnedBefore = "%1, turned before"; // what a glowing card shows
};

// The pattern with %1 .. %9 replaced by the inserts (an insert not given is empty) and %% by %.
std::string FillPattern(const std::string& pattern, const std::vector<std::string>& inserts);

// "Row 1, column 2: face down", "...: Beach", "...: Beach, found"; rows and columns count from 1.
// A found card names its finder when one is given: "...: Beach, found by Ann". A card that glows
// (rules/CardGlow.h) says so: "...: face down, turned before".
std::string CardName(const Cell& cell, CardFace face, const std::string& title,
                     const CardWords& words = CardWords(), const std::string& finder = std::string(),
                     bool glowing = false);

// Accessible children are the cards row by row, 1 the top-left; 0 is the board itself.
int ChildOfCell(const Cell& cell, int columns);
// False for an id that names no card of a columns by rows grid.
bool CellOfChild(long child, int columns, int rows, Cell* cell);
