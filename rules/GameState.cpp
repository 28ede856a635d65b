#include "rules/GameState.h"

int Rows = 4;
int Columns = 4;
int Board[MaxGridSide][MaxGridSide] = {};
int FaceUp[MaxGridSide][MaxGridSide] = {};
int Side[MaxGridSide][MaxGridSide] = {};
PairKind DealtPairs = PairKind::Twins;
Cell FirstPick = NoCell;
Cell SecondPick = NoCell;
int Tries = 0;
int PairsFound = 0;
RoundClock Clock = {};
bool CalmRound = false;
Cell Focus = {0, 0};
std::string CardTitles[CardImageCount];
