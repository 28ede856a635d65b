#include "pictures/JpegDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "pictures/ExifOrientation.h"
#include "pictures/MetadataBlocks.h"
#include "pictures/PictureFacts.h"
#include "pictures/PictureScale.h"
#include "pictures/PictureSize.h"

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the setjmp in Decode. Data ending early (the file, or a segment at a marker) comes only as a
// warning, and ends the decode too; other damage is shown as libjpeg recovers from it.
struct ErrorManager {
    jpeg_error_mgr Base;
    std::jmp_buf Jump;
};

void ErrorExit(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->Jump, 1);
}

void EmitMessage(j_common_ptr info, int level) {
    if (level < 0 && (info->err->msg_code == JWRN_JPEG_EOF || info->err->msg_code == JWRN_HIT_MARKER))
        ErrorExit(info);
}

void OutputMessage(j_common_ptr) {}

// libjpeg calls its progress monitor many times in every scan, at least once an output row: too
// many scans, or the stop, end the decode there through the error exit.
struct Progress {
    jpeg_progress_mgr Base;
    const DecodeStop* Stop;
};

bool TooManyScans(const jpeg_decompress_struct& info) {
    return info.input_scan_number > MaxJpegScans;
}

void MonitorProgress(j_common_ptr common) {
    const auto* info = reinterpret_cast<j_decompress_ptr>(common);
    if (TooManyScans(*info) || (*reinterpret_cast<Progress*>(common->progress)->Stop)())
        ErrorExit(common);
}

// Owns the decompressor, so it is destroyed on every way out.
struct Decompressor {
    jpeg_decompress_struct Info;
    ErrorManager Errors;
    Progress Monitor;
    explicit Decompressor(const DecodeStop& stop) : Info(), Errors(), Monitor() {
        Info.err = jpeg_std_error(&Errors.Base);
        Errors.Base.error_exit = ErrorExit;
        Errors.Base.emit_message = EmitMessage;
        Errors.Base.output_message = OutputMessage;
        Monitor.Base.progress_monitor = MonitorProgress;
        Monitor.Stop = &stop;
    }
    ~Decompressor() { jpeg_destroy_decompress(&Info); }
};

// Adobe applications write CMYK inverted (0 is full ink), as nearly every CMYK JPEG is.
void CmykToRgb(const JSAMPLE* cmyk, int width, bool inverted, uint8_t* rgb) {
    for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        for (int c = 0; c < 3; ++c)
            rgb[c] = uint8_t(((inverted ? cmyk[c] : 255 - cmyk[c]) * k + 127) / 255);
    }
}

int OrientationOf(const jpeg_decompress_struct& info) {
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker != nullptr; marker = marker->next) {
        if (marker->marker == JPEG_APP0 + 1) {
            const int orientation = ExifOrientation(marker->data, marker->data_length);
            if (orientation != 1)
                return orientation;
        }
    }
    return 1;
}

// Reads scans until every component's DC coefficients are known to their last bit but one (a
// common first scan; the missing bit moves a pixel by a fraction of a level at usual qualities),
// and starts the output from them. The file must still end properly: an end-of-image marker can only stand
// after the last scan, since the coded data never holds one. Nor does it hold the start of a scan:
// the scans left unread count by their markers, so a file of too many is refused at every size.
bool ReadDcScans(jpeg_decompress_struct& info, const DecodeStop& stop) {
    const auto dcWhole = [&info] {
        for (int c = 0; c < info.num_components; ++c) {
            if (info.coef_bits[c][0] < 0 || info.coef_bits[c][0] > 1)
                return false;
        }
        return true;
    };
    while (!dcWhole()) {
        if (jpeg_consume_input(&info) == JPEG_REACHED_EOI || TooManyScans(info) || stop())
            return false;
    }
    const JOCTET end[] = {0xFF, JPEG_EOI};
    const JOCTET startOfScan = 0xDA;
    const JOCTET* rest = info.src->next_input_byte;
    const JOCTET* last = rest + info.src->bytes_in_buffer;
    const JOCTET* eoi = std::search(rest, last, end, end + 2);
    int scans = info.input_scan_number;
    for (const JOCTET* at = rest; at + 1 < eoi && scans <= MaxJpegScans; ++at)
        scans += at[0] == 0xFF && at[1] == startOfScan ? 1 : 0;
    return eoi != last && scans <= MaxJpegScans && jpeg_start_output(&info, info.input_scan_number);
}

// Everything between setjmp and the end of the decode: no C++ object with a destructor is made here,
// since a longjmp out of libjpeg would skip it. The caller owns the scaler and the row.
bool Decode(Decompressor& d, const uint8_t* data, size_t size, int width, int height,
            const CardFraming& framing, std::vector<AreaScaler>* scaler, std::vector<uint8_t>* row,
            int* orientation) {
    jpeg_decompress_struct& info = d.Info;
    if (setjmp(d.Errors.Jump) != 0)
        return false;
    jpeg_create_decompress(&info);
    info.progress = &d.Monitor.Base;
    info.mem->max_memory_to_use = long(MaxDecodeBytes);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    *orientation = OrientationOf(info);
    // Scaled in the file's own orientation, turned afterwards; reduced as far as the card's part of
    // the picture allows.
    int coverWidth = 0;
    int coverHeight = 0;
    StoredCoveringSize(int(info.image_width), int(info.image_height), *orientation, width, height, framing,
                       &coverWidth, &coverHeight);
    info.scale_num =
        unsigned(JpegScaleEighths(int(info.image_width), int(info.image_height), coverWidth, coverHeight));
    info.scale_denom = 8;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    // Reduced, the chroma is averaged anyway; smoothing it first only costs time.
    info.do_fancy_upsampling = info.scale_num < 8 ? FALSE : TRUE;
    // At 1/8 a block is its DC coefficient alone, which a progressive file gives in its first scans.
    const bool dcOnly = info.progressive_mode && info.scale_num == 1;
    info.buffered_image = dcOnly ? TRUE : FALSE;
    info.do_block_smoothing = FALSE;
    jpeg_calc_output_dimensions(&info);
    // A multi-scan file keeps every coefficient of the whole picture until its last scan.
    const double coefficients =
        info.progressive_mode || info.buffered_image
            ? double(info.image_width + 15) * (info.image_height + 15) * info.num_components * sizeof(JCOEF)
            : 0.0;
    if (double(info.output_width) * info.output_height * info.out_color_components + coefficients >
        double(MaxDecodeBytes))
        return false;
    scaler->push_back(
        CardScaler(int(info.output_width), int(info.output_height), *orientation, width, height, framing));
    row->resize(size_t(info.output_width) * (cmyk ? 7 : 3));
    JSAMPROW samples = row->data();
    uint8_t* rgb = row->data() + (cmyk ? size_t(info.output_width) * 4 : 0);
    jpeg_start_decompress(&info);
    if (dcOnly && !ReadDcScans(info, *d.Monitor.Stop))
        return false;
    while (info.output_scanline < info.output_height) {
        if (jpeg_read_scanlines(&info, &samples, 1) != 1)
            return false;
        if (cmyk)
            CmykToRgb(samples, int(info.output_width), info.saw_Adobe_marker, rgb);
        scaler->back().AddRow(rgb);
    }
    // The scans a DC-only decode skips are left unread, not decoded.
    if (dcOnly)
        jpeg_finish_output(&info);
    else
        jpeg_finish_decompress(&info);
    return true;
}

// The headers up to the first scan, their APP1 segments kept; as in Decode, nothing with a
// destructor is made between setjmp and the end.
bool ReadHeaders(Decompressor& d, const uint8_t* data, size_t size) {
    jpeg_decompress_struct& info = d.Info;
    if (setjmp(d.Errors.Jump) != 0)
        return false;
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = long(MaxDecodeBytes);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&info, FALSE);
    return true;
}

} // namespace

bool JpegSize(const uint8_t* data, size_t size, int* width, int* height) {
    const DecodeStop never;
    Decompressor decompressor(never);
    if (!ReadHeaders(decompressor, data, size) || decompressor.Info.image_width == 0)
        return false;
    const bool turned = TurnOf(OrientationOf(decompressor.Info)).Transpose;
    *width = int(turned ? decompressor.Info.image_height : decompressor.Info.image_width);
    *height = int(turned ? decompressor.Info.image_width : decompressor.Info.image_height);
    return true;
}

void JpegMetadata(const uint8_t* data, size_t size, MetadataBlocks* blocks) {
    static const char XmpMark[] = "http://ns.adobe.com/xap/1.0/";
    static const char ExtensionMark[] = "http://ns.adobe.com/xmp/extension/";
    const DecodeStop never;
    Decompressor decompressor(never);
    if (!ReadHeaders(decompressor, data, size))
        return;
    for (jpeg_saved_marker_ptr marker = decompressor.Info.marker_list; marker != nullptr; marker = marker->next) {
        const std::string segment(reinterpret_cast<const char*>(marker->data), marker->data_length);
        if (blocks->Exif.empty() && segment.compare(0, 6, std::string("Exif\0\0", 6)) == 0)
            blocks->Exif = segment;
        else if (blocks->Xmp.empty() && segment.compare(0, sizeof XmpMark, XmpMark, sizeof XmpMark) == 0)
            blocks->Xmp = segment.substr(sizeof XmpMark);
        else if (blocks->XmpExtension.size() < MaxExtensionSegments &&
                 segment.compare(0, sizeof ExtensionMark, ExtensionMark, sizeof ExtensionMark) == 0)
            blocks->XmpExtension.push_back(segment.substr(sizeof ExtensionMark));
    }
}

int JpegScaleEighths(int imageWidth, int imageHeight, int width, int height) {
    for (int eighths : {1, 2, 4}) {
        // libjpeg rounds a scaled size up.
        if ((int64_t(imageWidth) * eighths + 7) / 8 >= width &&
            (int64_t(imageHeight) * eighths + 7) / 8 >= height)
            return eighths;
    }
    return 8;
}

bool DecodeJpeg(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    Decompressor decompressor(stop);
    std::vector<AreaScaler> scaler;
    std::vector<uint8_t> row;
    int orientation = 1;
    if (!Decode(decompressor, data, size, width, height, framing, &scaler, &row, &orientation) ||
        scaler.empty())
        return false;
    int storedWidth = 0;
    int storedHeight = 0;
    CardSize(orientation, width, height, &storedWidth, &storedHeight);
    *pixels = Upright(scaler.back().Pixels(), storedWidth, storedHeight, orientation);
    return true;
}
