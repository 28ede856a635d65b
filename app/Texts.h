// The program's own texts, from its string table in the user's language, and the %1 patterns filled.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

// The text of string resource id in the language the resource loader picks for the user; a text
// that language lacks is the English one.
std::wstring LoadText(UINT id);

// The text of string resource id in exactly that language of the program's resources; "" when it
// has none.
std::wstring TextIn(LANGID language, UINT id);

// One insert of a pattern: a text (%1) or a number (%1!d!, %1!u!).
struct TextInsert {
    DWORD_PTR Value;
    TextInsert(const wchar_t* text) : Value(reinterpret_cast<DWORD_PTR>(text)) {}
    TextInsert(const std::wstring& text) : Value(reinterpret_cast<DWORD_PTR>(text.c_str())) {}
    TextInsert(int number) : Value(static_cast<DWORD_PTR>(static_cast<INT_PTR>(number))) {}
    TextInsert(unsigned number) : Value(static_cast<DWORD_PTR>(number)) {}
};

// A FormatMessageW pattern (%1 .. %9) with its inserts in order; the pattern itself when it
// cannot be formatted.
std::wstring FormatPattern(const std::wstring& pattern, std::initializer_list<TextInsert> inserts);

// The pattern of string resource id with its inserts in order.
std::wstring FormatText(UINT id, std::initializer_list<TextInsert> inserts);

// A text from a code page's bytes (CP_ACP, CP_UTF8) to the wide form and back; what does not
// convert comes out empty.
std::wstring WideText(const std::string& text, UINT codePage);
std::string NarrowText(const std::wstring& text, UINT codePage);

// A window's or control's text, of any length.
std::wstring WindowText(HWND window);

// The text in the process's code page (CP_ACP), a path's form for the narrow calls; false when that
// code page cannot hold every character exactly (one other than UTF-8, or a lone surrogate).
bool NarrowExactly(const wchar_t* wide, std::string* narrow);
