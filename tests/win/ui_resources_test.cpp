// Checks the menu, accelerators, dialogs, strings and manifest linked into the executable, byte by
// byte. A slipped coordinate, a lost WS_GROUP or a stray menu flag compiles silently and is only
// seen (or, for tab order and radio groups, felt) at run time; these tests pin every field.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

// Narrow regardless of whether UNICODE happens to be defined.
const LPCSTR kRtMenu = MAKEINTRESOURCEA(4);
const LPCSTR kRtDialog = MAKEINTRESOURCEA(5);
const LPCSTR kRtString = MAKEINTRESOURCEA(6);
const LPCSTR kRtAccelerator = MAKEINTRESOURCEA(9);
const LPCSTR kRtManifest = MAKEINTRESOURCEA(24);

const WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
const DWORD kChild = WS_CHILD | WS_VISIBLE;

struct Blob {
    const unsigned char* bytes = nullptr;
    DWORD size = 0;
};

Blob Find(LPCSTR type, WORD id) {
    Blob blob;
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceExA(module, type, MAKEINTRESOURCEA(id), kEnglishUs);
    HGLOBAL handle = info != nullptr ? LoadResource(module, info) : nullptr;
    if (handle != nullptr) {
        blob.bytes = static_cast<const unsigned char*>(LockResource(handle));
        blob.size = SizeofResource(module, info);
    }
    return blob;
}

// A name or an ordinal, as templates store menus, classes and titles.
struct SzOrOrd {
    bool isOrdinal = false;
    DWORD ordinal = 0;
    std::string text;
};

// Resource data has no alignment guarantee, so fields are read byte by byte. Reading past the end
// yields zeros and marks the reader, so a truncated template fails instead of reading wild memory.
class Reader {
public:
    explicit Reader(const Blob& blob) : bytes_(blob.bytes), size_(blob.size) {}

    DWORD U8() { return Take(1) ? bytes_[pos_ - 1] : 0; }
    // Operands of | are unsequenced, so the low part is read first into its own variable.
    DWORD U16() {
        const DWORD low = U8();
        return low | (U8() << 8);
    }
    DWORD U32() {
        const DWORD low = U16();
        return low | (U16() << 16);
    }
    int S16() { return static_cast<std::int16_t>(static_cast<std::uint16_t>(U16())); }

    // UTF-16 to narrow text; anything outside ASCII becomes DEL, which no expected text contains.
    std::string Text() {
        std::string text;
        for (DWORD c = U16(); c != 0 && ok_; c = U16()) {
            text += c < 0x7F ? static_cast<char>(c) : '\x7F';
        }
        return text;
    }

    SzOrOrd NameOrOrdinal() {
        SzOrOrd value;
        const std::size_t start = pos_;
        if (U16() == 0xFFFF) {
            value.isOrdinal = true;
            value.ordinal = U16();
        } else {
            pos_ = start;
            value.text = Text();
        }
        return value;
    }

    void AlignToDword() { Take((4 - pos_ % 4) % 4); }
    bool Ok() const { return ok_; }
    std::size_t Left() const { return size_ - pos_; }

private:
    bool Take(std::size_t n) {
        if (!ok_ || bytes_ == nullptr || size_ - pos_ < n) {
            ok_ = false;
            return false;
        }
        pos_ += n;
        return true;
    }

    const unsigned char* bytes_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// ---------------------------------------------------------------------------
// Dialogs

// Either encoding of a predefined class is valid; windres writes names, rc.exe writes atoms.
std::string ClassName(const SzOrOrd& cls) {
    static const char* const kAtoms[] = {"BUTTON", "EDIT", "STATIC"};
    if (cls.isOrdinal) {
        const bool known = cls.ordinal >= 0x80 && cls.ordinal <= 0x82;
        return known ? kAtoms[cls.ordinal - 0x80] : "#" + std::to_string(cls.ordinal);
    }
    std::string upper = cls.text;
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return upper;
}

// The id -1 may be stored as the whole DWORD or as its low word; the dialog manager sees -1 or 0xFFFF.
bool SameId(DWORD actual, int expected) {
    return actual == static_cast<DWORD>(expected) || (expected == -1 && actual == 0xFFFF);
}

struct ControlRow {
    int id;
    const char* cls;
    const char* text; // null: the title is the icon ordinal below
    WORD icon;
    int x, y, cx, cy;
    DWORD style; // beyond WS_CHILD | WS_VISIBLE
};

const ControlRow kOptionsControls[] = {
    {IDOK, "BUTTON", "OK", 0, 183, 101, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP},
    {IDCANCEL, "BUTTON", "Cancel", 0, 237, 100, 50, 14, BS_PUSHBUTTON | WS_TABSTOP},
    {1000, "BUTTON", "Browse...", 0, 250, 17, 41, 13, BS_PUSHBUTTON | WS_TABSTOP},
    {1001, "EDIT", "", 0, 68, 17, 178, 13, ES_LEFT | ES_AUTOHSCROLL | ES_READONLY | WS_BORDER | WS_TABSTOP},
    {-1, "STATIC", "Yorewind Place:", 0, 15, 19, 49, 11, SS_LEFT | WS_GROUP},
    {-1, "BUTTON", "Show More", 0, 16, 54, 278, 46, BS_GROUPBOX},
    // Only the first radio starts a group and none is a tab stop: arrows move between them.
    {1005, "BUTTON", "Easy (4x4)", 0, 26, 83, 55, 11, BS_AUTORADIOBUTTON | WS_GROUP},
    {1006, "BUTTON", "Normal (5x4)", 0, 81, 83, 59, 11, BS_AUTORADIOBUTTON},
    {1007, "BUTTON", "Hard (6x5)", 0, 144, 83, 49, 11, BS_AUTORADIOBUTTON},
    {1008, "BUTTON", "Very Hard (6x6)", 0, 203, 83, 74, 11, BS_AUTORADIOBUTTON},
    // WS_GROUP here is what closes the radio group.
    {-1, "STATIC", "Note: Changing the place during the reminiscence needs a program restart", 0, 28, 32, 248,
     13, SS_LEFT | WS_GROUP},
    {-1, "STATIC", "Note: Based on the images size, the loading process could take a few seconds", 0, 27, 41,
     279, 14, SS_LEFT | WS_GROUP},
    {-1, "STATIC",
     "Note: Changes here during the reminiscence needs you restart the process using File->More Yorewinds "
     "pulldown menu",
     0, 26, 63, 259, 16, SS_LEFT | WS_GROUP},
};

// The maker lines (3, 5, 7, 8) must name only the project: no person, no company.
const ControlRow kAboutControls[] = {
    {-1, "STATIC", nullptr, 107, 14, 14, 20, 20, SS_ICON},
    {-1, "STATIC", "Yorewind, Version 1.0", 0, 49, 14, 114, 8, SS_LEFT | SS_NOPREFIX | WS_GROUP},
    {-1, "STATIC", "Made with care by the Yorewind developers", 0, 49, 26, 151, 8, SS_LEFT | WS_GROUP},
    {IDOK, "BUTTON", "OK", 0, 162, 96, 50, 14, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP},
    {-1, "STATIC", "http://yorewind.example.org", 0, 49, 77, 151, 8, SS_LEFT | WS_GROUP},
    {-1, "STATIC", "The Simplest is the Best!", 0, 57, 45, 79, 8, SS_LEFT | WS_GROUP},
    {-1, "STATIC", "Copyright (C) 2026 the Yorewind developers", 0, 49, 66, 151, 8, SS_LEFT | WS_GROUP},
    {-1, "STATIC", "yorewind@example.org", 0, 49, 87, 151, 8, SS_LEFT | WS_GROUP},
};

struct DialogCase {
    WORD id;
    const char* name;
    DWORD fontWeight;
    int cx, cy;
    const ControlRow* controls;
    std::size_t count;
};

void PrintTo(const DialogCase& c, std::ostream* os) {
    *os << c.name << " (" << c.id << ")";
}

const DialogCase kDialogs[] = {
    {129, "options", 400, 312, 124, kOptionsControls, sizeof kOptionsControls / sizeof kOptionsControls[0]},
    {103, "about", 0, 219, 117, kAboutControls, sizeof kAboutControls / sizeof kAboutControls[0]},
};

class DialogTemplateTest : public ::testing::TestWithParam<DialogCase> {};

TEST_P(DialogTemplateTest, MatchesFieldByField) {
    const DialogCase& c = GetParam();
    const Blob blob = Find(kRtDialog, c.id);
    ASSERT_NE(blob.bytes, nullptr) << "RT_DIALOG missing for US English";
    Reader r(blob);
    EXPECT_EQ(r.U16(), 1u) << "must be an extended template";
    EXPECT_EQ(r.U16(), 0xFFFFu) << "signature";
    EXPECT_EQ(r.U32(), 0u) << "helpID";
    EXPECT_EQ(r.U32(), 0u) << "exStyle";
    // No DS_CENTER: the box opens at 0, 0 of the owner's client area.
    EXPECT_EQ(r.U32(), static_cast<DWORD>(DS_SETFONT | DS_FIXEDSYS | DS_MODALFRAME | WS_POPUP | WS_CAPTION |
                                          WS_SYSMENU));
    ASSERT_EQ(r.U16(), c.count) << "cDlgItems";
    EXPECT_EQ(r.S16(), 0) << "x";
    EXPECT_EQ(r.S16(), 0) << "y";
    EXPECT_EQ(r.S16(), c.cx) << "cx";
    EXPECT_EQ(r.S16(), c.cy) << "cy";
    const SzOrOrd menu = r.NameOrOrdinal();
    EXPECT_TRUE(!menu.isOrdinal && menu.text.empty()) << "no menu";
    const SzOrOrd cls = r.NameOrOrdinal();
    EXPECT_TRUE(!cls.isOrdinal && cls.text.empty()) << "the standard dialog class";
    EXPECT_EQ(r.Text(), "Yorewind");
    EXPECT_EQ(r.U16(), 8u) << "point size";
    EXPECT_EQ(r.U16(), c.fontWeight) << "weight";
    EXPECT_EQ(r.U8(), 0u) << "italic";
    EXPECT_EQ(r.U8(), static_cast<DWORD>(DEFAULT_CHARSET));
    EXPECT_EQ(r.Text(), "MS Shell Dlg");
    ASSERT_TRUE(r.Ok()) << "header ends early";

    for (std::size_t i = 0; i < c.count; ++i) {
        const ControlRow& want = c.controls[i];
        SCOPED_TRACE("control " + std::to_string(i + 1));
        r.AlignToDword();
        EXPECT_EQ(r.U32(), 0u) << "helpID";
        EXPECT_EQ(r.U32(), 0u) << "exStyle";
        const DWORD style = r.U32();
        EXPECT_EQ(style, kChild | want.style)
            << std::hex << "style 0x" << style << ", expected 0x" << (kChild | want.style);
        EXPECT_EQ(r.S16(), want.x) << "x";
        EXPECT_EQ(r.S16(), want.y) << "y";
        EXPECT_EQ(r.S16(), want.cx) << "cx";
        EXPECT_EQ(r.S16(), want.cy) << "cy";
        const DWORD id = r.U32();
        EXPECT_TRUE(SameId(id, want.id)) << "id " << id << ", expected " << want.id;
        EXPECT_EQ(ClassName(r.NameOrOrdinal()), want.cls);
        const SzOrOrd title = r.NameOrOrdinal();
        if (want.text != nullptr) {
            EXPECT_FALSE(title.isOrdinal);
            EXPECT_EQ(title.text, want.text);
        } else {
            EXPECT_TRUE(title.isOrdinal) << "an icon is named by ordinal";
            EXPECT_EQ(title.ordinal, want.icon);
        }
        EXPECT_EQ(r.U16(), 0u) << "extra data";
        ASSERT_TRUE(r.Ok()) << "template ends early";
    }
}

INSTANTIATE_TEST_SUITE_P(UiResources, DialogTemplateTest, ::testing::ValuesIn(kDialogs),
                         [](const ::testing::TestParamInfo<DialogCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// Menu

struct MenuRow {
    int depth;
    DWORD flags;
    DWORD id;
    const char* text;
};

// Flags are compared whole, so a stray MF_GRAYED, MF_DISABLED, MF_CHECKED or MF_RIGHTJUSTIFY fails.
const MenuRow kMenu[] = {
    {0, MF_POPUP, 0, "&File"},
    {1, 0, 32781, "&More Yorewinds"},
    {1, 0, 0, ""},
    {1, MF_END, 105, "E&xit"},
    {0, MF_POPUP, 0, "&Settings"},
    {1, MF_END, 32779, "&Options"},
    // Only the last pop-up ends the bar.
    {0, MF_POPUP | MF_END, 0, "&Help"},
    {1, 0, 104, "&About ..."},
    {1, MF_END, 32783, "&Donate ..."},
};

struct MenuEntry {
    int depth;
    DWORD flags, id;
    std::string text;
};

void ParseMenuLevel(Reader& r, int depth, std::vector<MenuEntry>& out) {
    for (;;) {
        MenuEntry entry{depth, r.U16(), 0, ""};
        if ((entry.flags & MF_POPUP) == 0) {
            entry.id = r.U16();
        }
        entry.text = r.Text();
        if (!r.Ok() || out.size() > 64) {
            return;
        }
        out.push_back(entry);
        if (entry.flags & MF_POPUP) {
            ParseMenuLevel(r, depth + 1, out);
        }
        if (entry.flags & MF_END) {
            return;
        }
    }
}

TEST(UiResourcesMenu, TemplateMatchesItemByItem) {
    const Blob blob = Find(kRtMenu, 109);
    ASSERT_NE(blob.bytes, nullptr) << "RT_MENU 109 missing for US English";
    Reader r(blob);
    EXPECT_EQ(r.U16(), 0u) << "must be a standard menu template";
    const DWORD offset = r.U16();
    ASSERT_EQ(offset, 0u);
    std::vector<MenuEntry> entries;
    ParseMenuLevel(r, 0, entries);
    ASSERT_TRUE(r.Ok()) << "template ends early";
    EXPECT_LE(r.Left(), 3u) << "bytes follow the last pop-up";

    const std::size_t count = sizeof kMenu / sizeof kMenu[0];
    ASSERT_EQ(entries.size(), count);
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE("menu entry " + std::to_string(i + 1) + " " + kMenu[i].text);
        const bool separator = kMenu[i].id == 0 && kMenu[i].depth > 0;
        // A separator may be written with MF_SEPARATOR or with no flags at all.
        const DWORD flags =
            separator ? entries[i].flags & ~static_cast<DWORD>(MF_SEPARATOR) : entries[i].flags;
        EXPECT_EQ(entries[i].depth, kMenu[i].depth);
        EXPECT_EQ(flags, kMenu[i].flags) << std::hex << "flags 0x" << entries[i].flags;
        EXPECT_EQ(entries[i].id, kMenu[i].id);
        EXPECT_EQ(entries[i].text, kMenu[i].text);
    }
}

// ---------------------------------------------------------------------------
// Accelerators, strings, manifest

struct AccelRow {
    DWORD flags, key, command;
};

// Character codes with Alt: with FVIRTKEY, 63 and 47 would name virtual keys (47 is VK_HELP).
const AccelRow kAccelerators[] = {
    {FALT, '?', 104},
    {FALT | 0x80, '/', 104},
};

TEST(UiResourcesAccelerators, TwoAltCharacterEntriesForAbout) {
    const Blob blob = Find(kRtAccelerator, 109);
    ASSERT_NE(blob.bytes, nullptr) << "RT_ACCELERATOR 109 missing for US English";
    const std::size_t count = sizeof kAccelerators / sizeof kAccelerators[0];
    ASSERT_EQ(blob.size, count * 8);
    Reader r(blob);
    for (std::size_t i = 0; i < count; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i + 1));
        EXPECT_EQ(r.U16(), kAccelerators[i].flags);
        EXPECT_EQ(r.U16(), kAccelerators[i].key);
        EXPECT_EQ(r.U16(), kAccelerators[i].command);
        EXPECT_EQ(r.U16(), 0u) << "padding";
    }

    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(109));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), static_cast<int>(count));
    DestroyAcceleratorTable(table);
}

TEST(UiResourcesStrings, TitleAndClassNameAreYorewind) {
    // Ids 103 and 109 share string bundle 7.
    EXPECT_NE(Find(kRtString, 103 / 16 + 1).bytes, nullptr) << "string bundle missing for US English";
    for (UINT id : {103u, 109u}) {
        char text[100] = {};
        EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof text), 8) << "string " << id;
        EXPECT_STREQ(text, "Yorewind") << "string " << id;
    }
}

TEST(UiResourcesManifest, RunsAsInvoker) {
    const Blob blob = Find(kRtManifest, 1);
    ASSERT_NE(blob.bytes, nullptr) << "RT_MANIFEST 1 missing for US English";
    const std::string xml(reinterpret_cast<const char*>(blob.bytes), blob.size);
    EXPECT_NE(xml.find("requestedExecutionLevel level=\"asInvoker\""), std::string::npos) << xml;
}

} // namespace
