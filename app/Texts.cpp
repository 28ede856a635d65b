#include "app/Texts.h"

#include <vector>

namespace {

const LPCWSTR StringType = MAKEINTRESOURCEW(6); // RT_STRING, wide

} // namespace

std::wstring LoadText(UINT id) {
    // Length 0 asks for a pointer to the resource's own text, which is not terminated.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (length > 0 && text != nullptr)
        return std::wstring(text, static_cast<size_t>(length));
    // The loader takes the user's language as soon as that language has the id's block of 16
    // strings, even when this one slot of it is empty.
    return TextIn(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), id);
}

std::wstring TextIn(LANGID language, UINT id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    // Strings are stored in blocks of 16, each a length followed by that many characters.
    const HRSRC found = FindResourceExW(module, StringType, MAKEINTRESOURCEW(id / 16 + 1), language);
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const wchar_t* entry = loaded != nullptr ? static_cast<const wchar_t*>(LockResource(loaded)) : nullptr;
    if (entry == nullptr)
        return std::wstring();
    const wchar_t* const end = entry + SizeofResource(module, found) / sizeof(wchar_t);
    for (UINT slot = 0; slot < id % 16 && entry < end; ++slot)
        entry += 1 + *entry;
    if (entry >= end || *entry > end - entry - 1)
        return std::wstring();
    return std::wstring(entry + 1, *entry);
}

std::wstring FormatPattern(const std::wstring& pattern, std::initializer_list<TextInsert> inserts) {
    std::vector<DWORD_PTR> arguments;
    for (const TextInsert& insert : inserts)
        arguments.push_back(insert.Value);
    // An insert the pattern asks for but the caller did not give would be read past the array.
    arguments.resize(9, reinterpret_cast<DWORD_PTR>(L""));
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_ALLOCATE_BUFFER,
        pattern.c_str(), 0, 0, reinterpret_cast<wchar_t*>(&text), 0,
        reinterpret_cast<va_list*>(arguments.data()));
    std::wstring result = length > 0 && text != nullptr ? std::wstring(text, length) : pattern;
    LocalFree(text);
    // FormatMessageW writes each line feed of the pattern as CR LF; the text keeps the pattern's own.
    for (size_t at = result.find(L"\r\n"); at != std::wstring::npos; at = result.find(L"\r\n", at))
        result.erase(at, 1);
    return result;
}

std::wstring FormatText(UINT id, std::initializer_list<TextInsert> inserts) {
    return FormatPattern(LoadText(id), inserts);
}

std::wstring WideText(const std::string& text, UINT codePage) {
    const int length = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.c_str(), -1, &wide[0], length);
    wide.pop_back();
    return wide;
}

std::string NarrowText(const std::wstring& text, UINT codePage) {
    const int length = WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.c_str(), -1, &narrow[0], length, nullptr, nullptr);
    narrow.pop_back();
    return narrow;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

// ASCII is the same in every code page: most names need no conversion.
bool NarrowExactly(const wchar_t* wide, std::string* narrow) {
    narrow->clear();
    const wchar_t* c = wide;
    for (; *c != L'\0' && *c < 0x80; ++c)
        narrow->push_back(static_cast<char>(*c));
    if (*c == L'\0')
        return true;
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return false;
    narrow->resize(static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, 0, wide, -1, &(*narrow)[0], length, nullptr, nullptr);
    narrow->pop_back();
    return WideText(*narrow, CP_ACP) == wide;
}
