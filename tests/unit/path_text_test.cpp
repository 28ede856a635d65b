#include "app/PathText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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
    const struct {
        const wchar_t* File;
        const wchar_t* Folder;
    } cases[] = {
        {L"D:\\Photos\\Holiday\\sea.jpg", L"D:\\Photos\\Holiday"},
        {L"D:\\sea.jpg", L"D:\\"},
        {L"D:/Photos/sea.jpg", L"D:/Photos"},
        {L"\\\\server\\share\\sea.jpg", L"\\\\server\\share"},
        {L"\\sea.jpg", L"\\"},
        {L"sea.jpg", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderOfFile(c.File), c.Folder) << c.File;
    const std::pair<const wchar_t*, const wchar_t*> trimmed[] = {
        {L"D:\\Photos\\", L"D:\\Photos"},
        {L"D:\\Photos//", L"D:\\Photos"},
        {L"D:\\", L"D:\\"},
        {L"\\", L"\\"},
        {L"\\\\server\\share\\", L"\\\\server\\share"},
    };
    for (const auto& c : trimmed)
        EXPECT_EQ(WithoutTrailingSeparator(c.first), c.second) << c.first;
}
