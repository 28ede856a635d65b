// A JPEG's extended XMP: the part of its XMP too large for one segment, split over several.
#pragma once

#include <string>
#include <vector>

// The extended packet put back together from the segments' bodies (each after its mark: a 32
// character GUID, the packet's full length and the part's offset as 4-byte big-endian numbers, then
// the part), taking only the parts whose GUID is guid, the one the main packet names. Empty when
// there are none, when they disagree on the full length, a part lies beyond it or they leave a gap,
// or the packet would be larger than MaxXmpBytes.
std::string AssembleExtendedXmp(const std::vector<std::string>& segments, const std::string& guid);
