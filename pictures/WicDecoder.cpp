#include "pictures/WicDecoder.h"

#include <windows.h>
#include <wincodec.h>
#include <wincodecsdk.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "pictures/ComScope.h"
#include "pictures/PictureFacts.h"
#include "pictures/PictureScale.h"
#include "pictures/WicCodecs.h"

namespace {

// The metadata formats' GUIDs, which MinGW's headers declare but no import library of it defines.
const GUID XmpFormat = {0xbb5acc38, 0xf216, 0x4cec, {0xa6, 0xc5, 0x5f, 0x6e, 0x73, 0x97, 0x63, 0xa9}};
const GUID ExifFormat = {0x1c3c4f9d, 0xb84a, 0x467d, {0x94, 0x93, 0x36, 0xcf, 0xbd, 0x59, 0xea, 0x57}};
const GUID IfdFormat = {0x537396c6, 0x2d8a, 0x4bb6, {0x9b, 0xf8, 0x2f, 0x0a, 0x8e, 0x2a, 0x3a, 0xdf}};
const GUID App1Format = {0x8fd3dfc3, 0xf951, 0x492b, {0x81, 0x7f, 0x69, 0xc2, 0xe6, 0xd9, 0xa5, 0xb0}};

bool Rewind(IWICStream* stream) {
    const LARGE_INTEGER start = {};
    return SUCCEEDED(stream->Seek(start, STREAM_SEEK_SET, nullptr));
}

// CreateDecoderFromStream would let any installed codec try the file; only the system's own may.
// Their registered patterns are matched by WIC itself, before any codec runs.
bool OpenWithSystemCodec(IWICImagingFactory* factory, IWICStream* stream, Owned<IWICBitmapDecoder>* decoder) {
    return ForEachWicDecoder(factory, [&](IWICBitmapDecoderInfo* info) {
        BOOL matches = FALSE;
        if (!IsSystemCodec(DescribeWicDecoder(info)) || !Rewind(stream) ||
            FAILED(info->MatchesPattern(stream, &matches)) || !matches)
            return false;
        if (SUCCEEDED(info->CreateInstance(decoder->Out())) && Rewind(stream) &&
            SUCCEEDED((*decoder)->Initialize(stream, WICDecodeMetadataCacheOnDemand)))
            return true;
        decoder->Reset();
        return false;
    });
}

// The orientation tag (1..8) by the path the container keeps it at: a TIFF-like file's first
// directory, or the EXIF segment of a JPEG-like container. Nothing else is asked: the shell's
// System names search every block, and a damaged block has crashed codecs' readers.
int OrientationOf(IWICBitmapFrameDecode* frame, const GUID& container) {
    Owned<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(reader.Out())))
        return 1;
    const bool tiffLike =
        IsEqualGUID(container, GUID_ContainerFormatTiff) || IsEqualGUID(container, GUID_ContainerFormatWmp) ||
        IsEqualGUID(container, GUID_ContainerFormatAdng) || IsEqualGUID(container, GUID_ContainerFormatRaw);
    PROPVARIANT value;
    PropVariantInit(&value);
    int orientation = 0;
    if (SUCCEEDED(
            reader->GetMetadataByName(tiffLike ? L"/ifd/{ushort=274}" : L"/app1/ifd/{ushort=274}", &value)) &&
        value.vt == VT_UI2)
        orientation = value.uiVal;
    PropVariantClear(&value);
    return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

// A metadata block's bytes as its reader writes them out, when they are no more than bound.
std::string BlockBytes(IWICMetadataReader* reader, size_t bound) {
    Owned<IWICPersistStream> persist;
    Owned<IStream> stream;
    if (FAILED(reader->QueryInterface(__uuidof(IWICPersistStream), persist.OutVoid())) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
        FAILED(persist->SaveEx(stream.Get(), WICPersistOptionDefault, FALSE)))
        return std::string();
    STATSTG stat = {};
    const LARGE_INTEGER start = {};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart > bound ||
        FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)))
        return std::string();
    std::string bytes(size_t(stat.cbSize.QuadPart), '\0');
    ULONG read = 0;
    if (!bytes.empty() &&
        (FAILED(stream->Read(&bytes[0], ULONG(bytes.size()), &read)) || read != bytes.size()))
        return std::string();
    return bytes;
}

// Bytes a block wrote out that hold TIFF structure, with the mark libexif wants before them; empty
// when they hold none.
std::string AsExifBlock(const std::string& bytes) {
    if (bytes.compare(0, 6, std::string("Exif\0\0", 6)) == 0)
        return bytes;
    if (bytes.compare(0, 4, std::string("II*\0", 4)) == 0 ||
        bytes.compare(0, 4, std::string("MM\0*", 4)) == 0)
        return std::string("Exif\0\0", 6) + bytes;
    return std::string();
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
    CardFraming Framing;
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
    AreaScaler scaler = CardScaler(int(sourceWidth), int(sourceHeight), card.Orientation, card.Width,
                                   card.Height, card.Framing);
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
    int coverWidth = 0;
    int coverHeight = 0;
    StoredCoveringSize(int(frameWidth), int(frameHeight), card.Orientation, card.Width, card.Height,
                       card.Framing, &coverWidth, &coverHeight);
    UINT reducedWidth = std::min(frameWidth, UINT(coverWidth) * 2);
    UINT reducedHeight = std::min(frameHeight, UINT(coverHeight) * 2);
    const bool shaped = card.Framing.Fit == PictureFit::KeepShape || card.Framing.HasPerson;
    if (shaped && (reducedWidth == frameWidth || reducedHeight == frameHeight)) {
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
    return size <= MAXDWORD && CreateWicFactory(&opened->Factory) &&
           SUCCEEDED(opened->Factory->CreateStream(opened->Stream.Out())) &&
           SUCCEEDED(opened->Stream->InitializeFromMemory(const_cast<BYTE*>(data), DWORD(size))) &&
           OpenWithSystemCodec(opened->Factory.Get(), opened->Stream.Get(), &opened->Decoder) && !stop() &&
           SUCCEEDED(opened->Decoder->GetContainerFormat(&opened->Container)) &&
           SUCCEEDED(opened->Decoder->GetFrame(0, opened->Frame.Out())) &&
           SUCCEEDED(opened->Frame->GetSize(&opened->Width, &opened->Height)) && opened->Width > 0 &&
           opened->Height > 0 && opened->Width <= INT_MAX && opened->Height <= INT_MAX;
}

bool Decode(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
            int orientation, std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    OpenedFrame opened;
    if (!OpenFirstFrame(data, size, stop, &opened))
        return false;
    // The codec holds the frame whole, as 32-bit pixels at most; the scaler's sums come on top.
    if (double(opened.Width) * opened.Height * 4 + double(opened.Width) * 16 > double(MaxDecodeBytes))
        return false;
    if (orientation < 1 || orientation > 8)
        orientation = OrientationOf(opened.Frame.Get(), opened.Container);
    // Scaled in the file's own orientation, turned afterwards.
    std::vector<uint32_t> stored;
    if (!ScaleFrame(opened.Factory.Get(), opened.Frame.Get(), opened.Width, opened.Height,
                    {width, height, orientation, framing}, stop, &stored))
        return false;
    int storedWidth = 0;
    int storedHeight = 0;
    CardSize(orientation, width, height, &storedWidth, &storedHeight);
    *pixels = Upright(stored, storedWidth, storedHeight, orientation);
    return true;
}

} // namespace

bool DecodeWic(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
               int orientation, std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    // Entered before the first interface and left after the last is released.
    const Apartment apartment(COINIT_MULTITHREADED);
    return Decode(data, size, width, height, framing, orientation, pixels, stop);
}

bool WicFrameSize(const uint8_t* data, size_t size, int known, int* width, int* height, int* orientation) {
    const Apartment apartment(COINIT_MULTITHREADED);
    OpenedFrame opened;
    if (!OpenFirstFrame(data, size, DecodeStop(), &opened))
        return false;
    *width = int(opened.Width);
    *height = int(opened.Height);
    // Wine's query reader crashes on a TIFF directory that points past the end or back at itself,
    // which the codec still decodes: what the game read itself is not asked again.
    *orientation = known >= 1 && known <= 8 ? known : OrientationOf(opened.Frame.Get(), opened.Container);
    return true;
}

void ReadWicBlocks(const uint8_t* data, size_t size, MetadataBlocks* blocks, int* orientation) {
    const Apartment apartment(COINIT_MULTITHREADED);
    OpenedFrame opened;
    *orientation = 1;
    if (!OpenFirstFrame(data, size, DecodeStop(), &opened))
        return;
    *orientation = OrientationOf(opened.Frame.Get(), opened.Container);
    // The frame's top-level blocks, each written out whole and told apart by the game's readers,
    // which trust nothing the codec says of them.
    Owned<IWICMetadataBlockReader> reader;
    UINT count = 0;
    if (FAILED(opened.Frame->QueryInterface(__uuidof(IWICMetadataBlockReader), reader.OutVoid())) ||
        FAILED(reader->GetCount(&count)))
        return;
    for (UINT i = 0; i < count && i < 64; ++i) {
        Owned<IWICMetadataReader> block;
        GUID format = {};
        if (FAILED(reader->GetReaderByIndex(i, block.Out())) || block.Get() == nullptr ||
            FAILED(block->GetMetadataFormat(&format)))
            continue;
        if (IsEqualGUID(format, XmpFormat) && blocks->Xmp.empty())
            blocks->Xmp = BlockBytes(block.Get(), MaxXmpBytes);
        else if ((IsEqualGUID(format, ExifFormat) || IsEqualGUID(format, IfdFormat) ||
                  IsEqualGUID(format, App1Format)) &&
                 blocks->Exif.empty())
            blocks->Exif = AsExifBlock(BlockBytes(block.Get(), MaxExifBytes - 6));
    }
}
