#include "rules/CardSpeech.h"

CardFace FaceOf(const Cell& cell) {
    if (FaceUp[cell.Column][cell.Row] == 1)
        return CardFace::Found;
    return SameCell(cell, FirstPick) || SameCell(cell, SecondPick) ? CardFace::Up : CardFace::Down;
}

BoardFaces ShownFaces() {
    BoardFaces board = {};
    for (int column = 0; column < Columns; ++column)
        for (int row = 0; row < Rows; ++row)
            board.Faces[column][row] = FaceOf({column, row});
    return board;
}

std::string FillPattern(const std::string& pattern, const std::vector<std::string>& inserts) {
    std::string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] != '%' || (next != '%' && (next < '1' || next > '9'))) {
            text += pattern[i];
            continue;
        }
        ++i;
        if (next == '%') {
            text += '%';
            continue;
        }
        const size_t number = static_cast<size_t>(next - '1');
        text += number < inserts.size() ? inserts[number] : std::string();
        // The insert's printf format: the inserts come formatted already.
        const size_t close =
            i + 1 < pattern.size() && pattern[i + 1] == '!' ? pattern.find('!', i + 2) : std::string::npos;
        if (close != std::string::npos)
            i = close;
    }
    return text;
}

std::string CardName(const Cell& cell, CardFace face, const std::string& title, const CardWords& words,
                     const std::string& finder, bool glowing) {
    std::string shown = words.FaceDown;
    if (face != CardFace::Down)
        shown = title.empty() ? words.NoPicture : title;
    if (face == CardFace::Found)
        shown = finder.empty() ? FillPattern(words.Found, {shown}) : FillPattern(words.FoundBy, {shown, finder});
    if (glowing)
        shown = FillPattern(words.TurnedBefore, {shown});
    return FillPattern(words.Place, {std::to_string(cell.Row + 1), std::to_string(cell.Column + 1), shown});
}

int ChildOfCell(const Cell& cell, int columns) {
    return cell.Row * columns + cell.Column + 1;
}

bool CellOfChild(long child, int columns, int rows, Cell* cell) {
    if (child < 1 || child > long(columns) * rows)
        return false;
    cell->Column = int((child - 1) % columns);
    cell->Row = int((child - 1) / columns);
    return true;
}
