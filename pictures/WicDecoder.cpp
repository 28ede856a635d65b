#include "pictures/WicDecoder.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "pictures/ComScope.h"
#include "pictures/PictureFacts.h"
#include "pictures/PictureSize.h"
#include "pictures/PictureScale.h"

namespace {

// WIC's text getters: asked for the length first, then for the text.
template <typename Info, typename Getter> std::wstring Text(Info* info, Getter get) {
    UINT length = 0;
    if (FAILED((info->*get)(0, nullptr, &length)) || length == 0)
        return std::wstring();
    std::wstring text(length, L'\0');
    if (FAILED((info->*get)(length, &text[0], &length)))
        return std::wstring();
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

SystemCodec Describe(IWICBitmapDecoderInfo* info) {
    SystemCodec codec;
    codec.Author = Text(info, &IWICBitmapDecoderInfo::GetAuthor);
    codec.Extensions = Text(info, &IWICBitmapDecoderInfo::GetFileExtensions);
    GUID vendor = {};
    codec.MicrosoftVendor =
        SUCCEEDED(info->GetVendorGUID(&vendor)) &&
        (IsEqualGUID(vendor, GUID_VendorMicrosoft) || IsEqualGUID(vendor, GUID_VendorMicrosoftBuiltIn));
    return codec;
}

bool CreateFactory(Owned<IWICImagingFactory>* factory) {
    return SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                      __uuidof(IWICImagingFactory),
                                      reinterpret_cast<void**>(factory->Out())));
}

// Calls use(info) for each installed decoder until it answers true; false when none did.
template <typename Use> bool ForEachDecoder(IWICImagingFactory* factory, Use use) {
    Owned<IEnumUnknown> decoders;
    if (FAILED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, decoders.Out())))
        return false;
    for (;;) {
        Owned<IUnknown> component;
        ULONG count = 0;
        if (decoders->Next(1, component.Out(), &count) != S_OK || count != 1)
            return false;
        Owned<IWICBitmapDecoderInfo> info;
        if (SUCCEEDED(component->QueryInterface(__uuidof(IWICBitmapDecoderInfo),
                                                reinterpret_cast<void**>(info.Out()))) &&
            use(info.Get()))
            return true;
    }
}

bool Rewind(IWICStream* stream) {
    const LARGE_INTEGER start = {};
    return SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr));
}

// CreateDecoderFromStream would let any installed codec try the file; only the system's own may.
// Their registered patterns are matched by WIC itself, before any codec runs.
bool OpenWithSystemCodec(IWICImagingFactory* factory, IWICStream* stream, Owned<IWICBitmapDecoder>* decoder) {
    return ForEachDecoder(factory, [&](IWICBitmapDecoderInfo* info) {
        BOOL matches = FALSE;
        if (!IsSystemCodec(Describe(info)) || !Rewind(stream) ||
            FAILED(info->MatchesPattern(stream, &matches)) || !matches)
            return false;
        if (SUCCEEDED(info->CreateInstance(decoder->Out())) && Rewind(stream) &&
            SUCCEEDED((*decoder)->Initialize(stream, WICDecodeMetadataCacheOnDemand)))
            return true;
        decoder->Reset();
        return false;
    });
}

// The orientation tag (1..8), where the container keeps it: in a JPEG's EXIF segment, in a
// TIFF-like file's first directory, or as the property a codec answers for any format.
int OrientationOf(IWICBitmapFrameDecode* frame, const GUID& container) {
    Owned<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(reader.Out())))
        return 1;
    const bool tiffLike =
        IsEqualGUID(container, GUID_ContainerFormatTiff) || IsEqualGUID(container, GUID_ContainerFormatWmp) ||
        IsEqualGUID(container, GUID_ContainerFormatAdng) || IsEqualGUID(container, GUID_ContainerFormatRaw);
    const wchar_t* const names[] = {tiffLike ? L"/ifd/{ushort=274}" : L"/app1/ifd/{ushort=274}",
                                    L"System.Photo.Orientation"};
    for (const wchar_t* name : names) {
        PROPVARIANT value;
        PropVariantInit(&value);
        int orientation = 0;
        if (SUCCEEDED(reader->GetMetadataByName(name, &value)) && value.vt == VT_UI2)
            orientation = value.uiVal;
        PropVariantClear(&value);
        if (orientation >= 1 && orientation <= 8)
            return orientation;
    }
    return 1;
}

// A text property as UTF-8 (wide or narrow; a wide one as its UTF-16LE bytes when asked), a byte
// vector as its bytes; bounded, empty when the codec has none or it is of another type.
std::string Property(IWICMetadataQueryReader* reader, const wchar_t* name, size_t bound, bool utf16 = false) {
    PROPVARIANT value;
    PropVariantInit(&value);
    std::string text;
    if (SUCCEEDED(reader->GetMetadataByName(name, &value))) {
        if (value.vt == VT_LPWSTR && value.pwszVal != nullptr && utf16) {
            text.assign(reinterpret_cast<const char*>(value.pwszVal), wcsnlen(value.pwszVal, bound / 2) * 2);
        } else if (value.vt == VT_LPWSTR && value.pwszVal != nullptr) {
            const int wide = int(wcsnlen(value.pwszVal, bound));
            const int length =
                WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, value.pwszVal, wide, nullptr, 0, nullptr, nullptr);
            if (length > 0) {
                text.resize(size_t(length));
                WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, value.pwszVal, wide, &text[0], length, nullptr,
                                    nullptr);
            }
        } else if (value.vt == VT_LPSTR && value.pszVal != nullptr) {
            text.assign(value.pszVal, strnlen(value.pszVal, bound));
        } else if (value.vt == (VT_VECTOR | VT_UI1) && value.caub.pElems != nullptr) {
            text.assign(reinterpret_cast<const char*>(value.caub.pElems), std::min(size_t(value.caub.cElems), bound));
        }
    }
    PropVariantClear(&value);
    return utf16 ? text : ClipUtf8(text, bound);
}

// The shell's date taken, as the EXIF text of the local day it names.
std::string DateTaken(IWICMetadataQueryReader* reader) {
    PROPVARIANT value;
    PropVariantInit(&value);
    std::string text;
    FILETIME local = {};
    SYSTEMTIME day = {};
    if (SUCCEEDED(reader->GetMetadataByName(L"System.Photo.DateTaken", &value)) && value.vt == VT_FILETIME &&
        FileTimeToLocalFileTime(&value.filetime, &local) && FileTimeToSystemTime(&local, &day)) {
        char digits[32];
        wsprintfA(digits, "%04u:%02u:%02u 00:00:00", day.wYear, day.wMonth, day.wDay);
        text = digits;
    }
    PropVariantClear(&value);
    return text;
}

// Rows copied at a time; the stop is asked between them.
const UINT StripRows = 32;

// Copies source (32-bit BGRA) in strips into the scaler, laid over white.
bool CopyInStrips(IWICBitmapSource* source, UINT width, UINT height, const DecodeStop& stop,
                  AreaScaler* scaler) {
    const UINT stride = width * 4;
    std::vector<BYTE> strip(size_t(stride) * std::min(StripRows, height));
    std::vector<uint8_t> rgb(size_t(width) * 3);
    for (UINT y = 0; y < height; y += StripRows) {
        if (stop())
            return false;
        const UINT rows = std::min(StripRows, height - y);
        const WICRect rect = {0, INT(y), INT(width), INT(rows)};
        if (FAILED(source->CopyPixels(&rect, stride, UINT(strip.size()), strip.data())))
            return false;
        for (UINT row = 0; row < rows; ++row) {
            BYTE* bgra = &strip[size_t(row) * stride];
            for (UINT x = 0; x < width; ++x)
                std::swap(bgra[x * 4], bgra[x * 4 + 2]);
            RgbaOverWhite(bgra, int(width), rgb.data());
            scaler->AddRow(rgb.data());
        }
    }
    return true;
}

// The card a frame is scaled to: its size as shown, how the frame is turned and what part it shows.
struct Card {
    int Width;
    int Height;
    int Orientation;
    PictureFit Fit;
};

// source converted to 32-bit BGRA, copied in strips into a scaler to the card (in the frame's own
// orientation).
bool ScaleFrom(IWICBitmapSource* source, const Card& card, const DecodeStop& stop,
               std::vector<uint32_t>* pixels) {
    Owned<IWICBitmapSource> bgra;
    UINT sourceWidth = 0;
    UINT sourceHeight = 0;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, source, bgra.Out())) ||
        FAILED(bgra->GetSize(&sourceWidth, &sourceHeight)) || sourceWidth == 0 || sourceHeight == 0)
        return false;
    AreaScaler scaler =
        CardScaler(int(sourceWidth), int(sourceHeight), card.Orientation, card.Width, card.Height, card.Fit);
    if (!CopyInStrips(bgra.Get(), sourceWidth, sourceHeight, stop, &scaler))
        return false;
    *pixels = scaler.Pixels();
    return true;
}

// WIC's scaler takes the frame to at most twice what the card's part of it needs (through the codec's
// own reduced decode where it has one); the area scaler averages the rest, since some scalers only
// pick pixels. A kept shape is reduced alike on both axes, so the part is still the card's shape.
bool ScaleFrame(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, UINT frameWidth, UINT frameHeight,
                const Card& card, const DecodeStop& stop, std::vector<uint32_t>* pixels) {
    int storedWidth = 0;
    int storedHeight = 0;
    CardSize(card.Orientation, card.Width, card.Height, &storedWidth, &storedHeight);
    int coverWidth = 0;
    int coverHeight = 0;
    CoveringSize(int(frameWidth), int(frameHeight), storedWidth, storedHeight, card.Fit, &coverWidth,
                 &coverHeight);
    UINT reducedWidth = std::min(frameWidth, UINT(coverWidth) * 2);
    UINT reducedHeight = std::min(frameHeight, UINT(coverHeight) * 2);
    if (card.Fit == PictureFit::KeepShape && (reducedWidth == frameWidth || reducedHeight == frameHeight)) {
        reducedWidth = frameWidth;
        reducedHeight = frameHeight;
    }
    Owned<IWICBitmapScaler> scaler;
    if (reducedWidth < frameWidth || reducedHeight < frameHeight) {
        bool stopped = false;
        const DecodeStop heard{[&] { return stopped = stopped || stop(); }};
        if (SUCCEEDED(factory->CreateBitmapScaler(scaler.Out())) &&
            SUCCEEDED(
                scaler->Initialize(frame, reducedWidth, reducedHeight, WICBitmapInterpolationModeFant)) &&
            ScaleFrom(scaler.Get(), card, heard, pixels))
            return true;
        // Some codecs (Wine's JPEG XR) fail under the scaler; read whole, the frame still shows.
        if (stopped)
            return false;
    }
    return ScaleFrom(frame, card, stop, pixels);
}

// A picture's first frame through the system's codecs, with what keeps it open; released in the
// reverse order of the members.
struct OpenedFrame {
    Owned<IWICImagingFactory> Factory;
    Owned<IWICStream> Stream;
    Owned<IWICBitmapDecoder> Decoder;
    Owned<IWICBitmapFrameDecode> Frame;
    GUID Container = {};
    UINT Width = 0;
    UINT Height = 0;
};

// False when no system codec reads the bytes, the frame is empty, or stop says so once the codec is found.
bool OpenFirstFrame(const uint8_t* data, size_t size, const DecodeStop& stop, OpenedFrame* opened) {
    return size <= MAXDWORD && CreateFactory(&opened->Factory) &&
           SUCCEEDED(opened->Factory->CreateStream(opened->Stream.Out())) &&
           SUCCEEDED(opened->Stream->InitializeFromMemory(const_cast<BYTE*>(data), DWORD(size))) &&
           OpenWithSystemCodec(opened->Factory.Get(), opened->Stream.Get(), &opened->Decoder) && !stop() &&
           SUCCEEDED(opened->Decoder->GetContainerFormat(&opened->Container)) &&
           SUCCEEDED(opened->Decoder->GetFrame(0, opened->Frame.Out())) &&
           SUCCEEDED(opened->Frame->GetSize(&opened->Width, &opened->Height)) && opened->Width > 0 &&
           opened->Height > 0 && opened->Width <= INT_MAX && opened->Height <= INT_MAX;
}

bool Decode(const uint8_t* data, size_t size, int width, int height, PictureFit fit,
            std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    OpenedFrame opened;
    if (!OpenFirstFrame(data, size, stop, &opened))
        return false;
    IWICImagingFactory* const factory = opened.Factory.Get();
    IWICBitmapFrameDecode* const frame = opened.Frame.Get();
    const GUID container = opened.Container;
    const UINT frameWidth = opened.Width;
    const UINT frameHeight = opened.Height;
    // The codec holds the frame whole, as 32-bit pixels at most; the scaler's sums come on top.
    if (double(frameWidth) * frameHeight * 4 + double(frameWidth) * 16 > double(MaxDecodeBytes))
        return false;
    // Scaled in the file's own orientation, turned afterwards.
    const int orientation = OrientationOf(frame, container);
    std::vector<uint32_t> stored;
    if (!ScaleFrame(factory, frame, frameWidth, frameHeight, {width, height, orientation, fit},
                    stop, &stored))
        return false;
    int storedWidth = 0;
    int storedHeight = 0;
    CardSize(orientation, width, height, &storedWidth, &storedHeight);
    *pixels = Upright(stored, storedWidth, storedHeight, orientation);
    return true;
}

} // namespace

bool DecodeWic(const uint8_t* data, size_t size, int width, int height, PictureFit fit,
               std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    // Entered before the first interface and left after the last is released.
    // A thread already in a single-threaded apartment (a test's, the benchmark's) stays there: WIC
    // works in both.
    const Apartment apartment(COINIT_MULTITHREADED);
    return Decode(data, size, width, height, fit, pixels, stop);
}

std::vector<SystemCodec> InstalledSystemCodecs() {
    const Apartment apartment(COINIT_MULTITHREADED);
    std::vector<SystemCodec> codecs;
    Owned<IWICImagingFactory> factory;
    if (CreateFactory(&factory)) {
        ForEachDecoder(factory.Get(), [&codecs](IWICBitmapDecoderInfo* info) {
            codecs.push_back(Describe(info));
            return false;
        });
    }
    return codecs;
}

void ReadWicFacts(const uint8_t* data, size_t size, CarriedFacts* facts) {
    const Apartment apartment(COINIT_MULTITHREADED);
    OpenedFrame opened;
    Owned<IWICMetadataQueryReader> reader;
    if (!OpenFirstFrame(data, size, DecodeStop(), &opened) ||
        FAILED(opened.Frame->GetMetadataQueryReader(reader.Out())))
        return;
    const GUID container = opened.Container;
    const bool jpegLike = !IsEqualGUID(container, GUID_ContainerFormatTiff) &&
                          !IsEqualGUID(container, GUID_ContainerFormatWmp);
    const auto path = [jpegLike](const wchar_t* tail) { return (jpegLike ? L"/app1" : L"") + std::wstring(tail); };
    facts->XmpTitle = Property(reader.Get(), L"System.Title", MaxTitleBytes * 4);
    if (facts->XmpTitle.empty())
        facts->XmpTitle = Property(reader.Get(), (jpegLike ? L"/xmp/dc:title/x-default" : L"/ifd/xmp/dc:title/x-default"),
                                   MaxTitleBytes * 4);
    facts->XpTitle = Property(reader.Get(), path(L"/ifd/{ushort=40091}").c_str(), MaxTitleBytes * 2 + 2, true);
    facts->Description = Property(reader.Get(), path(L"/ifd/{ushort=270}").c_str(), MaxTitleBytes * 4);
    facts->ExifTaken = DateTaken(reader.Get());
    if (facts->ExifTaken.empty())
        facts->ExifTaken = Property(reader.Get(), path(L"/ifd/exif/{ushort=36867}").c_str(), 32);
}

bool WicSize(const uint8_t* data, size_t size, int* width, int* height) {
    const Apartment apartment(COINIT_MULTITHREADED);
    OpenedFrame opened;
    if (!OpenFirstFrame(data, size, DecodeStop(), &opened))
        return false;
    const bool turned = OrientationOf(opened.Frame.Get(), opened.Container) >= 5;
    *width = int(turned ? opened.Height : opened.Width);
    *height = int(turned ? opened.Width : opened.Height);
    return true;
}
