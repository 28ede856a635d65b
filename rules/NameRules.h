// Which of a picture's names name someone or something: a title it carries is a name, a file name
// is one unless a camera or phone made it; and how two names are compared.
#pragma once

#include <string>

// "IMG_1234", "DSC01234", "PXL_20231224_101010123", "20231224_101010", "WhatsApp Image ...",
// "Screenshot ...", digits alone and their like: names a device gave, which name nobody.
bool IsDeviceName(const std::u16string& name);

// The name without a trailing " (n)", which Windows adds to tell files of one name apart
// ("Grandma (2)" is "Grandma"), and without spaces around it.
std::u16string WithoutCopyNumber(const std::u16string& name);

// A picture's name (UTF-8): its carried title when not blank, else its file name without
// extension; either without " (n)". Empty when the file name is a device's.
std::string PairName(const std::string& title, const std::string& fileStem);

// The name in the form two names equal apart from case share, in every script the pictures bring:
// UTF-16 with the letters of Latin, Greek and Cyrillic folded to lower case.
std::u16string NameKey(const std::string& name);

// UTF-8 and UTF-16 of each other; a malformed byte reads as U+FFFD.
std::u16string Utf16(const std::string& utf8);
std::string Utf8Of(const std::u16string& utf16);
