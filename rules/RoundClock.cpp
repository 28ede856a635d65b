#include "rules/RoundClock.h"

#include <cwchar>
#include <limits>

namespace {

// Counts the run so far into the total and starts a new one at now; only while the clock runs.
void Bank(RoundClock* clock, uint64_t now) {
    if (ClockRunning(*clock) && now > clock->RunSince)
        clock->Counted += now - clock->RunSince;
    clock->RunSince = now;
}

} // namespace

void ResetClock(RoundClock* clock, bool minimised) {
    const int boxes = clock->Boxes;
    *clock = RoundClock();
    clock->Minimised = minimised;
    // A box open over the deal (the end question's Yes) closes after it.
    clock->Boxes = boxes;
}

void StartClock(RoundClock* clock, uint64_t now) {
    if (clock->Started)
        return;
    clock->Started = true;
    clock->RunSince = now;
}

void EndClock(RoundClock* clock, uint64_t now) {
    Bank(clock, now);
    clock->Ended = true;
}

void ResumeClock(RoundClock* clock, uint64_t milliseconds, uint64_t now) {
    clock->Started = true;
    clock->Ended = false;
    clock->Counted = milliseconds;
    clock->RunSince = now;
}

void SetClockMinimised(RoundClock* clock, bool minimised, uint64_t now) {
    Bank(clock, now);
    clock->Minimised = minimised;
}

void OpenClockBox(RoundClock* clock, uint64_t now) {
    Bank(clock, now);
    ++clock->Boxes;
}

void CloseClockBox(RoundClock* clock, uint64_t now) {
    Bank(clock, now);
    if (clock->Boxes > 0)
        --clock->Boxes;
}

uint64_t ClockMilliseconds(const RoundClock& clock, uint64_t now) {
    if (!ClockRunning(clock) || now < clock.RunSince)
        return clock.Counted;
    return clock.Counted + (now - clock.RunSince);
}

uint32_t ClockSeconds(const RoundClock& clock, uint64_t now) {
    const uint64_t seconds = ClockMilliseconds(clock, now) / 1000;
    return seconds > std::numeric_limits<uint32_t>::max() ? std::numeric_limits<uint32_t>::max()
                                                          : uint32_t(seconds);
}

bool ClockRunning(const RoundClock& clock) {
    return clock.Started && !clock.Ended && !clock.Minimised && clock.Boxes == 0;
}

std::wstring FormatRoundTime(uint64_t seconds) {
    const unsigned long long hours = seconds / 3600;
    const unsigned minutes = static_cast<unsigned>(seconds / 60 % 60);
    const unsigned rest = static_cast<unsigned>(seconds % 60);
    wchar_t text[40] = {};
    if (hours == 0)
        swprintf(text, sizeof(text) / sizeof(text[0]), L"%u:%02u", minutes, rest);
    else
        swprintf(text, sizeof(text) / sizeof(text[0]), L"%llu:%02u:%02u", hours, minutes, rest);
    return text;
}
