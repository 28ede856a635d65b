#include "rules/ThenAndNow.h"

#include <map>

#include "rules/NameRules.h"

bool IsDay(const std::string& day) {
    if (day.size() != 10 || day[4] != '-' || day[7] != '-')
        return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (day[i] < '0' || day[i] > '9')
            return false;
    }
    const int month = (day[5] - '0') * 10 + (day[6] - '0');
    const int date = (day[8] - '0') * 10 + (day[9] - '0');
    return month >= 1 && month <= 12 && date >= 1 && date <= 31;
}

bool YearApart(const std::string& earlier, const std::string& later) {
    if (!IsDay(earlier) || !IsDay(later))
        return false;
    // The year after as a text of the same form: days of that form sort as they come.
    const int year = std::stoi(earlier.substr(0, 4)) + 1;
    if (year > 9999)
        return false;
    std::string after = std::to_string(year);
    after.insert(0, 4 - after.size(), '0');
    return later >= after + earlier.substr(4);
}

std::vector<size_t> ThenAndNowCandidates(const std::vector<DatedCandidate>& candidates) {
    struct Span {
        size_t Earliest;
        size_t Latest;
    };
    std::map<std::u16string, Span> spans;
    std::vector<std::u16string> order;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const DatedCandidate& candidate = candidates[i];
        if (candidate.Person.empty() || !IsDay(candidate.Taken))
            continue;
        const std::u16string key = NameKey(candidate.Person);
        const auto found = spans.find(key);
        if (found == spans.end()) {
            spans.emplace(key, Span{i, i});
            order.push_back(key);
            continue;
        }
        Span& span = found->second;
        if (candidate.Taken < candidates[span.Earliest].Taken)
            span.Earliest = i;
        if (candidate.Taken > candidates[span.Latest].Taken)
            span.Latest = i;
    }
    std::vector<size_t> taken;
    for (const std::u16string& key : order) {
        const Span& span = spans[key];
        if (YearApart(candidates[span.Earliest].Taken, candidates[span.Latest].Taken)) {
            taken.push_back(span.Earliest);
            taken.push_back(span.Latest);
        }
    }
    return taken;
}
