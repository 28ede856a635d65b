#include "rules/NameRules.h"

#include <cstddef>

namespace {

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Lower case by code point for the alphabets with case that the languages and photos bring;
// scripts without case (Japanese, Chinese, Arabic) stay as they are.
char16_t Folded(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return char16_t(c + 0x20);
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return char16_t(c | 1);
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return c % 2 == 1 ? char16_t(c + 1) : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return char16_t(c + 0x20);
    if (c >= 0x410 && c <= 0x42F)
        return char16_t(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return char16_t(c + 0x50);
    return c;
}

bool StartsFolded(const std::u16string& name, const char16_t* prefix, size_t* length) {
    size_t i = 0;
    for (; prefix[i] != 0; ++i) {
        if (i >= name.size() || Folded(name[i]) != Folded(prefix[i]))
            return false;
    }
    *length = i;
    return true;
}

// What a device writes after its prefix: counters, dates and times with their separators.
bool CounterRest(const std::u16string& rest) {
    bool digit = false;
    for (size_t i = 0; i < rest.size(); ++i) {
        const char16_t c = rest[i];
        if (IsDigit(c))
            digit = true;
        else if ((c == u'W' || c == u'w') && i > 0 && rest[i - 1] == u'-' && i + 1 < rest.size() &&
                 (rest[i + 1] == u'A' || rest[i + 1] == u'a'))
            ++i; // "IMG-20231224-WA0001": WhatsApp's counter on Android
        else if (c != u'_' && c != u'-' && c != u' ' && c != u'.' && c != u'~')
            return false;
    }
    return digit;
}

struct DevicePattern {
    const char16_t* Prefix;
    bool AnythingAfter; // else a counter, a date or a time alone
};

// Cameras, phones, messengers and the screenshot tools of Windows, Android and macOS.
const DevicePattern DevicePatterns[] = {
    {u"IMG", false},   {u"DSC", false},   {u"DSCN", false},  {u"DSCF", false},  {u"_DSC", false},
    {u"DCIM", false},  {u"PXL", false},   {u"VID", false},   {u"MVIMG", false}, {u"PANO", false},
    {u"GOPR", false},  {u"GH", false},    {u"GX", false},    {u"P", false},     {u"PIC", false},
    {u"Photo", false}, {u"Image", false}, {u"", false},      {u"WhatsApp Image", true},
    {u"Screenshot", true}, {u"Screen Shot", true}, {u"Bildschirmfoto", true}, {u"Capture", true},
};

std::u16string Trimmed(const std::u16string& text) {
    const size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string::npos)
        return std::u16string();
    return text.substr(first, text.find_last_not_of(u' ') - first + 1);
}

} // namespace

bool IsDeviceName(const std::u16string& name) {
    for (const DevicePattern& pattern : DevicePatterns) {
        size_t length = 0;
        if (StartsFolded(name, pattern.Prefix, &length) &&
            (pattern.AnythingAfter || CounterRest(name.substr(length))))
            return true;
    }
    return false;
}

std::u16string WithoutCopyNumber(const std::u16string& name) {
    std::u16string text = Trimmed(name);
    const size_t open = text.rfind(u" (");
    if (open != std::u16string::npos && text.size() >= open + 4 && text.back() == u')') {
        bool digits = true;
        for (size_t i = open + 2; i + 1 < text.size(); ++i)
            digits = digits && IsDigit(text[i]);
        if (digits)
            text = Trimmed(text.substr(0, open));
    }
    return text;
}

std::string PairName(const std::string& title, const std::string& fileStem) {
    const std::u16string carried = WithoutCopyNumber(Utf16(title));
    if (!carried.empty())
        return Utf8Of(carried);
    const std::u16string file = WithoutCopyNumber(Utf16(fileStem));
    return file.empty() || IsDeviceName(file) ? std::string() : Utf8Of(file);
}

std::u16string NameKey(const std::string& name) {
    std::u16string key = Utf16(name);
    for (char16_t& c : key)
        c = Folded(c);
    return key;
}

std::u16string Utf16(const std::string& utf8) {
    std::u16string text;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool whole = length > 0 && i + size_t(length) <= utf8.size();
        for (int k = 1; whole && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(utf8[i + size_t(k)]);
            whole = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        if (!whole || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            text += char16_t(0xFFFD);
            ++i;
            continue;
        }
        i += size_t(length);
        if (code >= 0x10000) {
            code -= 0x10000;
            text += char16_t(0xD800 + (code >> 10));
            text += char16_t(0xDC00 + (code & 0x3FF));
        } else {
            text += char16_t(code);
        }
    }
    return text;
}

std::string Utf8Of(const std::u16string& utf16) {
    std::string text;
    for (size_t i = 0; i < utf16.size(); ++i) {
        char32_t code = utf16[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF)
            code = 0x10000 + ((code - 0xD800) << 10) + (utf16[++i] - 0xDC00);
        else if (code >= 0xD800 && code <= 0xDFFF)
            code = 0xFFFD;
        if (code < 0x80) {
            text += char(code);
        } else if (code < 0x800) {
            text += char(0xC0 | (code >> 6));
            text += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            text += char(0xE0 | (code >> 12));
            text += char(0x80 | ((code >> 6) & 0x3F));
            text += char(0x80 | (code & 0x3F));
        } else {
            text += char(0xF0 | (code >> 18));
            text += char(0x80 | ((code >> 12) & 0x3F));
            text += char(0x80 | ((code >> 6) & 0x3F));
            text += char(0x80 | (code & 0x3F));
        }
    }
    return text;
}
