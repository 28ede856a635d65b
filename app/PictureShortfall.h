// The message of a picture list that cannot fill the board at the chosen level and kind of pairs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Empty when the list fills the board. Else, for twins, the text of `refusal` (why the folder was
// refused: too few pictures, or a path too long to keep); for pairs of a name, how many such pairs
// the board needs and how many the list holds, unless the folder was refused for its path.
std::wstring Shortfall(const std::vector<std::string>& list, UINT refusal);
