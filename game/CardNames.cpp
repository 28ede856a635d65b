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
        if (!decoded) {
            CardTitles[number].clear();
            continue;
        }
        const DecodedPicture& picture = pictures[number - 1];
        CardTitles[number] = picture.Info.Title.empty() ? PictureTitle(list[picture.Entry]) : picture.Info.Title;
    }
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
                     const std::string& finder) {
    std::string shown = words.FaceDown;
    if (face != CardFace::Down)
        shown = title.empty() ? words.NoPicture : title;
    if (face == CardFace::Found)
        shown = finder.empty() ? FillPattern(words.Found, {shown}) : FillPattern(words.FoundBy, {shown, finder});
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
