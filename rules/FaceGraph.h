// Which faces lie near each other: the sparse graph the people's grouping walks. Every pair is
// measured once, but only the near ones are kept, and of each face's later faces at most
// MaxNearFaces, so ten thousand faces of one person (a library of one photo copied) still cost a
// bounded memory: at most twice MaxNearFaces neighbours per face on the whole.
#pragma once

#include <cstdint>
#include <vector>

#include "rules/FaceDescriptor.h"

constexpr size_t MaxNearFaces = 200;

// Each face's neighbours by index, in order: the faces closer than `threshold`; of a face's later
// faces the nearest MaxNearFaces when more are near. Rows are shared out
// among `threads` threads (all the cores when 0); the result does not depend on how many.
std::vector<std::vector<uint32_t>> NearFaces(const std::vector<FaceDescriptor>& faces, float threshold,
                                             unsigned threads);
