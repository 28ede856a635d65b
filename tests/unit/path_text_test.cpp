#include "app/PathText.h"

#include <gtest/gtest.h>

#include <string>

// Every composition keeps at most 259 characters and a terminator (AddressSanitizer watches the
// 260 bytes).
TEST(PathText, CompositionsAreCutAt259Characters) {
    const std::string h(300, 'h'), f(255, 'f');
    char text[PathTextSize];
    CopyPathText(text, h.c_str());
    EXPECT_EQ(text, h.substr(0, 259));
    CopyPathText(text, f.c_str());
    AppendPathText(text, h.c_str());
    EXPECT_EQ(text, f + "hhhh");
}

// A dropped picture or one named on the command line means the folder it lies in; a folder named
// with separators at its end is kept without them, but a root keeps its own.
TEST(PathText, FoldersOfGivenPaths) {
    const auto file = FolderOfFile;
    const auto folder = WithoutTrailingSeparator;
    const struct {
        std::wstring (*Rule)(const std::wstring&);
        const wchar_t* Given;
        const wchar_t* Folder;
    } cases[] = {
        {file, L"D:\\Photos\\Holiday\\sea.jpg", L"D:\\Photos\\Holiday"},
        {file, L"D:\\sea.jpg", L"D:\\"},
        {file, L"D:/Photos/sea.jpg", L"D:/Photos"},
        {file, L"\\\\server\\share\\sea.jpg", L"\\\\server\\share"},
        {file, L"sea.jpg", L""},
        {folder, L"D:\\Photos\\", L"D:\\Photos"},
        {folder, L"D:\\Photos//", L"D:\\Photos"},
        {folder, L"D:\\", L"D:\\"},
        {folder, L"\\\\server\\share\\", L"\\\\server\\share"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Rule(c.Given), c.Folder) << c.Given;
}
