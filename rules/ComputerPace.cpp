#include "rules/ComputerPace.h"

namespace {

const int MissShownMs = 1000;
const int AfterPairMs = 1000;
const int BeforeCardMs = 700;

} // namespace

ComputerStep NextComputerStep(const TurnMoment& moment) {
    if (!moment.ComputersTurn || moment.RoundOver)
        return {ComputerMove::None, 0};
    if (moment.MissUp)
        return {ComputerMove::TurnBack, MissShownMs};
    return {ComputerMove::TurnCard, moment.PairFound ? AfterPairMs : BeforeCardMs};
}
