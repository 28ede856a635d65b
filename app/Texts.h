// The program's own texts, from its string table in the user's language, and the %1 patterns filled.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

// The text of string resource id.
std::wstring LoadText(UINT id);

// One insert of a pattern: a text (%1) or a number (%1!d!, %1!u!).
struct TextInsert {
    DWORD_PTR Value;
    TextInsert(const wchar_t* text) : Value(reinterpret_cast<DWORD_PTR>(text)) {}
    TextInsert(const std::wstring& text) : Value(reinterpret_cast<DWORD_PTR>(text.c_str())) {}
    TextInsert(int number) : Value(static_cast<DWORD_PTR>(static_cast<INT_PTR>(number))) {}
    TextInsert(unsigned number) : Value(static_cast<DWORD_PTR>(number)) {}
};

// The pattern of string resource id (FormatMessageW's %1 .. %9) with its inserts in order.
std::wstring FormatText(UINT id, std::initializer_list<TextInsert> inserts);
