#include "pictures/SystemCodecs.h"

#include <algorithm>

namespace {

// Icons, cursors and textures are not photos, though Windows' codecs read them.
const char* const Unwanted[] = {".ico", ".cur", ".dds", ".tga"};

// A dot, then letters and digits; the scan matches names in ASCII.
bool PlainExtension(const std::wstring& text, std::string* extension) {
    if (text.size() < 2 || text.size() > 16 || text[0] != L'.')
        return false;
    extension->assign(1, '.');
    for (size_t i = 1; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z')
            *extension += char(c - L'A' + 'a');
        else if ((c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9'))
            *extension += char(c);
        else
            return false;
    }
    return true;
}

std::wstring Trimmed(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L" \t");
    return first == std::wstring::npos ? std::wstring()
                                       : text.substr(first, text.find_last_not_of(L" \t") - first + 1);
}

} // namespace

bool IsSystemCodec(const SystemCodec& codec) {
    return codec.Author == L"Microsoft" || codec.MicrosoftVendor;
}

std::vector<std::string> SystemCodecExtensions(const std::vector<SystemCodec>& codecs,
                                               const std::vector<std::string>& own) {
    std::vector<std::string> found;
    const auto known = [&](const std::string& extension) {
        return std::find(own.begin(), own.end(), extension) != own.end() ||
               std::find(found.begin(), found.end(), extension) != found.end() ||
               std::find(std::begin(Unwanted), std::end(Unwanted), extension) != std::end(Unwanted);
    };
    for (const SystemCodec& codec : codecs) {
        if (!IsSystemCodec(codec))
            continue;
        size_t from = 0;
        while (from <= codec.Extensions.size()) {
            const size_t to = std::min(codec.Extensions.find_first_of(L",;", from), codec.Extensions.size());
            std::string extension;
            if (PlainExtension(Trimmed(codec.Extensions.substr(from, to - from)), &extension) &&
                !known(extension))
                found.push_back(extension);
            from = to + 1;
        }
    }
    return found;
}
