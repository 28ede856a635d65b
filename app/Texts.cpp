#include "app/Texts.h"

#include <vector>

std::wstring LoadText(UINT id) {
    // Length 0 asks for a pointer to the resource's own text, which is not terminated.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text != nullptr ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::wstring FormatText(UINT id, std::initializer_list<TextInsert> inserts) {
    const std::wstring pattern = LoadText(id);
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
    return result;
}
