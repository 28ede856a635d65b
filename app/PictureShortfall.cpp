#include "app/PictureShortfall.h"

#include "app/Settings.h"
#include "app/Texts.h"
#include "board/PairNames.h"
#include "res/resource.h"

std::wstring Shortfall(const std::vector<std::string>& list, UINT refusal) {
    const PairKind kind = ChosenPairs();
    const size_t needed = PairsNeeded(Level, kind);
    const size_t found = PairsAvailable(list, kind);
    if (found >= needed)
        return std::wstring();
    if (kind == PairKind::Twins || refusal != IDS_NOT_ENOUGH)
        return LoadText(refusal);
    return FormatText(kind == PairKind::PictureAndName ? IDS_TOO_FEW_NAMED : IDS_TOO_FEW_NAMESAKES,
                      {static_cast<unsigned>(needed), static_cast<unsigned>(found)});
}
