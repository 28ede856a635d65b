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
    const UINT text = kind == PairKind::PictureAndName ? IDS_TOO_FEW_NAMED
                      : kind == PairKind::TwoOfOneName ? IDS_TOO_FEW_NAMESAKES
                                                       : IDS_TOO_FEW_THEN_AND_NOW;
    return FormatText(text, {static_cast<unsigned>(needed), static_cast<unsigned>(found)});
}
