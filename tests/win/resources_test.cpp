// Checks the sounds and icons linked into the executable. The game hands the
// WAVE resources straight to the audio API and the icons to the window
// class, so a malformed header or a mangled icon group shows up only at run
// time on someone else's machine; these tests catch it at build time.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>

namespace {

// Narrow regardless of whether UNICODE happens to be defined.
const LPCSTR kRtIcon = MAKEINTRESOURCEA(3);
const LPCSTR kRtGroupIcon = MAKEINTRESOURCEA(14);

const WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

struct Blob {
    const unsigned char* bytes = nullptr;
    DWORD size = 0;
};

Blob Load(HRSRC info) {
    Blob blob;
    if (info == nullptr) {
        return blob;
    }
    HMODULE module = GetModuleHandleA(nullptr);
    HGLOBAL handle = LoadResource(module, info);
    if (handle == nullptr) {
        return blob;
    }
    blob.bytes = static_cast<const unsigned char*>(LockResource(handle));
    blob.size = SizeofResource(module, info);
    return blob;
}

// Resource data has no alignment guarantee, so read fields byte by byte.
std::uint32_t U16(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8);
}

std::uint32_t U32(const unsigned char* p) {
    return U16(p) | (U16(p + 2) << 16);
}

int S16(const unsigned char* p) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(U16(p)));
}

std::string Tag(const unsigned char* p) {
    return std::string(reinterpret_cast<const char*>(p), 4);
}

// ---------------------------------------------------------------------------
// Sounds

const DWORD kWaveHeaderBytes = 44;

struct WaveCase {
    WORD id;
    const char* name;
    DWORD dataBytes;
};

void PrintTo(const WaveCase& c, std::ostream* os) {
    *os << c.name << " (" << c.id << ")";
}

const WaveCase kWaves[] = {
    {132, "complete", 207104},
    {133, "match", 85504},
    {134, "miss", 113920},
    {135, "turn", 81408},
};

class WaveResource : public ::testing::TestWithParam<WaveCase> {
protected:
    Blob Find() const {
        return Load(
            FindResourceExA(GetModuleHandleA(nullptr), "WAVE", MAKEINTRESOURCEA(GetParam().id), kEnglishUs));
    }
};

TEST_P(WaveResource, IsBarePcmStereo16At44100WithExactLength) {
    const Blob wav = Find();
    ASSERT_NE(wav.bytes, nullptr) << "WAVE resource missing for US English";
    const DWORD dataBytes = GetParam().dataBytes;
    // Anything beyond the 44-byte header (LIST, fact, padding) would be
    // played as noise by code that assumes samples start at offset 44.
    ASSERT_EQ(wav.size, kWaveHeaderBytes + dataBytes);

    const unsigned char* h = wav.bytes;
    EXPECT_EQ(Tag(h + 0), "RIFF");
    EXPECT_EQ(U32(h + 4), wav.size - 8);
    EXPECT_EQ(Tag(h + 8), "WAVE");
    EXPECT_EQ(Tag(h + 12), "fmt ");
    EXPECT_EQ(U32(h + 16), 16u);
    EXPECT_EQ(U16(h + 20), 1u) << "format tag must be PCM";
    EXPECT_EQ(U16(h + 22), 2u) << "channels";
    EXPECT_EQ(U32(h + 24), 44100u) << "sample rate";
    EXPECT_EQ(U32(h + 28), 176400u) << "bytes per second";
    EXPECT_EQ(U16(h + 32), 4u) << "block align";
    EXPECT_EQ(U16(h + 34), 16u) << "bits per sample";
    EXPECT_EQ(Tag(h + 36), "data");
    EXPECT_EQ(U32(h + 40), dataBytes);
}

TEST_P(WaveResource, StartsAndEndsSilentWithHeadroom) {
    const Blob wav = Find();
    ASSERT_NE(wav.bytes, nullptr);
    ASSERT_EQ(wav.size, kWaveHeaderBytes + GetParam().dataBytes);

    const unsigned char* samples = wav.bytes + kWaveHeaderBytes;
    const DWORD count = GetParam().dataBytes / 2;
    // A non-zero first or last frame is an audible click on every play.
    EXPECT_EQ(S16(samples), 0);
    EXPECT_EQ(S16(samples + 2), 0);
    EXPECT_EQ(S16(samples + (count - 2) * 2), 0);
    EXPECT_EQ(S16(samples + (count - 1) * 2), 0);

    int peak = 0;
    for (DWORD i = 0; i < count; ++i) {
        const int v = std::abs(S16(samples + i * 2));
        if (v > peak) {
            peak = v;
        }
    }
    // Mixed with each other the effects must not clip, yet stay audible:
    // between -12 and -3 dBFS.
    EXPECT_GE(peak, 8192);
    EXPECT_LE(peak, 23198);
}

INSTANTIATE_TEST_SUITE_P(Sounds, WaveResource, ::testing::ValuesIn(kWaves),
                         [](const ::testing::TestParamInfo<WaveCase>& info) {
                             return std::string(info.param.name);
                         });

// ---------------------------------------------------------------------------
// Icons

const DWORD kGroupHeaderBytes = 6;
const DWORD kGroupEntryBytes = 14;
const DWORD kBitmapInfoHeaderBytes = 40;
const DWORD kPaletteBytes = 16 * 4;

struct IconCase {
    WORD groupId;
    WORD imageId;
    int pixels;
};

void PrintTo(const IconCase& c, std::ostream* os) {
    *os << "group " << c.groupId << ", " << c.pixels << "x" << c.pixels;
}

const IconCase kIcons[] = {
    {107, 1, 32},
    {108, 2, 16},
};

class IconResource : public ::testing::TestWithParam<IconCase> {};

TEST_P(IconResource, GroupNamesOneFourBitImageOfItsSize) {
    const IconCase& c = GetParam();
    HMODULE module = GetModuleHandleA(nullptr);

    const Blob group = Load(FindResourceA(module, MAKEINTRESOURCEA(c.groupId), kRtGroupIcon));
    ASSERT_NE(group.bytes, nullptr) << "RT_GROUP_ICON missing";
    ASSERT_EQ(group.size, kGroupHeaderBytes + kGroupEntryBytes);

    const unsigned char* g = group.bytes;
    EXPECT_EQ(U16(g + 0), 0u) << "idReserved";
    EXPECT_EQ(U16(g + 2), 1u) << "idType must be icon";
    ASSERT_EQ(U16(g + 4), 1u) << "idCount";

    const unsigned char* e = g + kGroupHeaderBytes;
    EXPECT_EQ(e[0], c.pixels) << "bWidth";
    EXPECT_EQ(e[1], c.pixels) << "bHeight";
    EXPECT_EQ(e[2], 16) << "bColorCount";
    EXPECT_EQ(e[3], 0) << "bReserved";
    EXPECT_EQ(U16(e + 4), 1u) << "wPlanes";
    EXPECT_EQ(U16(e + 6), 4u) << "wBitCount";
    const DWORD imageBytes = U32(e + 8);
    ASSERT_EQ(U16(e + 12), c.imageId) << "nID";

    const Blob image = Load(FindResourceA(module, MAKEINTRESOURCEA(c.imageId), kRtIcon));
    ASSERT_NE(image.bytes, nullptr) << "RT_ICON named by the group is missing";
    EXPECT_EQ(image.size, imageBytes) << "dwBytesInRes disagrees with the image";

    // 4 bpp rows pad to 4 bytes, so do the 1 bpp mask rows.
    const DWORD n = static_cast<DWORD>(c.pixels);
    const DWORD xorStride = ((n * 4 + 31) / 32) * 4;
    const DWORD andStride = ((n + 31) / 32) * 4;
    const DWORD xorBytes = xorStride * n;
    const DWORD andBytes = andStride * n;
    ASSERT_EQ(image.size, kBitmapInfoHeaderBytes + kPaletteBytes + xorBytes + andBytes);

    const unsigned char* bih = image.bytes;
    EXPECT_EQ(U32(bih + 0), kBitmapInfoHeaderBytes) << "biSize";
    EXPECT_EQ(U32(bih + 4), n) << "biWidth";
    // Icon DIBs count the XOR and AND bitmaps together.
    EXPECT_EQ(U32(bih + 8), n * 2) << "biHeight";
    EXPECT_EQ(U16(bih + 12), 1u) << "biPlanes";
    EXPECT_EQ(U16(bih + 14), 4u) << "biBitCount";
    EXPECT_EQ(U32(bih + 16), 0u) << "biCompression must be BI_RGB";

    // The heart sits on a transparent background: corner clear, centre opaque.
    // Mask rows are bottom-up and the most significant bit is leftmost.
    const unsigned char* mask = bih + kBitmapInfoHeaderBytes + kPaletteBytes + xorBytes;
    const int mid = c.pixels / 2;
    const unsigned char* topRow = mask + andStride * (n - 1);
    const unsigned char* midRow = mask + andStride * (n - 1 - mid);
    EXPECT_NE(topRow[0] & 0x80, 0) << "top-left pixel should be transparent";
    EXPECT_EQ(midRow[mid / 8] & (0x80 >> (mid % 8)), 0) << "centre pixel should be opaque";
}

TEST_P(IconResource, LoadsAsIconAtItsNativeSize) {
    const IconCase& c = GetParam();
    HANDLE icon =
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.groupId), IMAGE_ICON, c.pixels, c.pixels, 0);
    ASSERT_NE(icon, nullptr) << "LoadImageA failed, error " << GetLastError();
    DestroyIcon(static_cast<HICON>(icon));
}

INSTANTIATE_TEST_SUITE_P(Icons, IconResource, ::testing::ValuesIn(kIcons),
                         [](const ::testing::TestParamInfo<IconCase>& info) {
                             return "heart" + std::to_string(info.param.pixels);
                         });

} // namespace
