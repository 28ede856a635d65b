// Lets a decode be ended part-way: a decoder asks between rows, scans or steps and, once told to
// stop, frees what it holds and ends as "not a picture".
#pragma once

#include <functional>

struct DecodeStop {
    // Asked often, from the decoding thread: cheap, and safe beside other threads. Empty: never.
    std::function<bool()> Check;

    bool operator()() const { return Check && Check(); }
};
