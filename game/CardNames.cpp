#include "game/CardNames.h"

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

std::string PictureTitle(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

void TitleCards(const std::vector<std::string>& list, const std::vector<DecodedPicture>& pictures) {
    for (size_t number = 1; number < CardImageCount; ++number) {
        const bool decoded = number <= pictures.size() && pictures[number - 1].Entry < list.size();
        CardTitles[number] = decoded ? PictureTitle(list[pictures[number - 1].Entry]) : std::string();
    }
}

std::string CardName(const Cell& cell, CardFace face, const std::string& title, const std::string& finder) {
    std::string name = "Row " + std::to_string(cell.Row + 1) + ", column " + std::to_string(cell.Column + 1) + ": ";
    if (face == CardFace::Down)
        return name + "face down";
    name += title.empty() ? "no picture" : title;
    if (face != CardFace::Found)
        return name;
    return finder.empty() ? name + ", found" : name + ", found by " + finder;
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
