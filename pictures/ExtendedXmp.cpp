#include "pictures/ExtendedXmp.h"

#include <algorithm>
#include <cstdint>

#include "pictures/PictureFacts.h"

namespace {

const size_t GuidLength = 32;
const size_t HeadLength = GuidLength + 8;

uint32_t BigEndian(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = at; i < at + 4; ++i)
        value = value << 8 | uint8_t(bytes[i]);
    return value;
}

} // namespace

std::string AssembleExtendedXmp(const std::vector<std::string>& segments, const std::string& guid) {
    if (guid.size() != GuidLength)
        return std::string();
    // The parts of this packet by offset, each an index into segments.
    std::vector<std::pair<uint32_t, size_t>> parts;
    uint32_t length = 0;
    for (size_t i = 0; i < segments.size(); ++i) {
        const std::string& segment = segments[i];
        if (segment.size() <= HeadLength || segment.compare(0, GuidLength, guid) != 0)
            continue;
        const uint32_t full = BigEndian(segment, GuidLength);
        const uint32_t offset = BigEndian(segment, GuidLength + 4);
        if ((length != 0 && full != length) || full == 0 || full > MaxXmpBytes || offset > full ||
            segment.size() - HeadLength > full - offset)
            return std::string();
        length = full;
        parts.emplace_back(offset, i);
    }
    std::sort(parts.begin(), parts.end());
    std::string packet;
    for (const auto& part : parts) {
        // Parts may be repeated or overlap, never leave a gap.
        const std::string& segment = segments[part.second];
        if (part.first > packet.size())
            return std::string();
        const size_t end = part.first + (segment.size() - HeadLength);
        if (end > packet.size())
            packet.append(segment, HeadLength + (packet.size() - part.first), std::string::npos);
    }
    return packet.size() == length ? packet : std::string();
}
