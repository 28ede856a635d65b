#include "pictures/PictureFacts.h"

#include <cstdint>

namespace {

// What cameras write into ImageDescription when the photographer wrote nothing: no title.
const char* const CameraPlaceholders[] = {
    "OLYMPUS DIGITAL CAMERA", "SONY DSC", "DIGITAL CAMERA", "KONICA MINOLTA DIGITAL CAMERA",
    "MINOLTA DIGITAL CAMERA", "SAMSUNG DIGITAL CAMERA", "SAMSUNG CAMERA PICTURES", "SAMSUNG", "DCIM",
    "EASYSHARE", "KODAK CSC", "PENTAX DIGITAL CAMERA", "LEICA DIGITAL CAMERA", "CASIO QV DIGITAL",
    "EXIF_JPEG_PICTURE", "DEFAULT", "IMAGE", "PICTURE", "PHOTO", "CAMERA"};

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool IsPlaceholder(const std::string& text) {
    for (const char* placeholder : CameraPlaceholders) {
        size_t i = 0;
        while (placeholder[i] != '\0' && i < text.size() && Upper(text[i]) == placeholder[i])
            ++i;
        if (placeholder[i] == '\0' && i == text.size())
            return true;
    }
    return false;
}

// The length of the UTF-8 character starting at text[at], 0 when it is broken (an overlong form,
// a surrogate or beyond U+10FFFF too).
size_t CharLength(const std::string& text, size_t at) {
    const auto byte = [&](size_t i) { return uint8_t(text[i]); };
    const uint8_t lead = byte(at);
    size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || text.size() - at < length)
        return 0;
    uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (byte(at + i) & 0x3F);
    }
    const uint32_t least[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool ValidUtf8(const std::string& text) {
    for (size_t at = 0; at < text.size();) {
        const size_t length = CharLength(text, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

void AppendUtf8(uint32_t code, std::string* text) {
    if (code < 0x80) {
        *text += char(code);
        return;
    }
    const int length = code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
    const uint8_t leads[5] = {0, 0, 0xC0, 0xE0, 0xF0};
    *text += char(leads[length] | (code >> (6 * (length - 1))));
    for (int i = length - 2; i >= 0; --i)
        *text += char(0x80 | ((code >> (6 * i)) & 0x3F));
}

// UTF-16LE up to its first zero character; empty when broken (an odd length, a lone surrogate).
std::string Utf16ToUtf8(const std::string& bytes) {
    std::string text;
    const auto unit = [&](size_t i) { return uint32_t(uint8_t(bytes[i])) | uint32_t(uint8_t(bytes[i + 1])) << 8; };
    size_t end = 0;
    while (end + 1 < bytes.size() && unit(end) != 0)
        end += 2;
    if (end + 1 >= bytes.size() && bytes.size() % 2 != 0)
        return std::string();
    for (size_t i = 0; i < end; i += 2) {
        uint32_t code = unit(i);
        if (code >= 0xDC00 && code <= 0xDFFF)
            return std::string();
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 2 >= end || unit(i + 2) < 0xDC00 || unit(i + 2) > 0xDFFF)
                return std::string();
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        AppendUtf8(code, &text);
    }
    return text;
}

int Number(const std::string& text, size_t at, size_t digits) {
    if (text.size() < at + digits)
        return -1;
    int value = 0;
    for (size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// "YYYY-MM-DD" of a date whose year, month and day are given with the separator, when it is a
// day of the calendar; cameras write zeros or blanks when their clock was never set.
std::string Day(const std::string& text, char separator) {
    const int year = Number(text, 0, 4);
    const int month = Number(text, 5, 2);
    const int day = Number(text, 8, 2);
    if (year < 1800 || month < 1 || month > 12 || day < 1 || text[4] != separator || text[7] != separator ||
        (text.size() > 10 && text[10] != ' ' && text[10] != 'T'))
        return std::string();
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int days[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (day > days[month - 1])
        return std::string();
    return text.substr(0, 4) + "-" + text.substr(5, 2) + "-" + text.substr(8, 2);
}

} // namespace

std::string CleanTitle(const std::string& raw) {
    std::string text = raw.substr(0, raw.find('\0'));
    if (!ValidUtf8(text))
        return std::string();
    for (char& c : text) {
        if (uint8_t(c) < 0x20 || c == 0x7F)
            c = ' ';
    }
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    return ClipUtf8(text, MaxTitleBytes);
}

std::string ClipUtf8(const std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    size_t end = maxBytes;
    while (end > 0 && (uint8_t(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

PictureInfo ChooseInfo(const CarriedFacts& facts) {
    PictureInfo info;
    info.Title = CleanTitle(facts.XmpTitle);
    if (info.Title.empty())
        info.Title = CleanTitle(Utf16ToUtf8(facts.XpTitle));
    if (info.Title.empty()) {
        const std::string description = CleanTitle(facts.Description);
        info.Title = IsPlaceholder(description) ? std::string() : description;
    }
    info.Taken = Day(facts.ExifTaken, ':');
    if (info.Taken.empty())
        info.Taken = Day(facts.XmpTaken, '-');
    if (info.Taken.empty())
        info.Taken = Day(facts.XmpCreated, '-');
    return info;
}
