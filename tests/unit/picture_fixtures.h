// Small pictures made in memory for the decoder tests: JPEGs through libjpeg, PNGs by hand.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "stb_image_write.h"

// Compiled with stb_image_write but declared only inside its implementation.
extern "C" unsigned char* stbi_zlib_compress(unsigned char* data, int size, int* packedSize, int quality);

using Bytes = std::vector<uint8_t>;
using Sample = std::function<int(int x, int y, int component)>;

struct JpegMaker {
    explicit JpegMaker(J_COLOR_SPACE given = JCS_RGB, J_COLOR_SPACE stored = JCS_YCbCr, bool progressive = false)
        : Given(given), Stored(stored), Progressive(progressive) {}
    J_COLOR_SPACE Given; // JCS_GRAYSCALE, JCS_RGB or JCS_CMYK samples
    J_COLOR_SPACE Stored;
    bool Progressive;
    Bytes App1;

    Bytes Make(int width, int height, const Sample& sample) const {
        jpeg_compress_struct info{};
        jpeg_error_mgr errors{};
        info.err = jpeg_std_error(&errors);
        jpeg_create_compress(&info);
        unsigned char* out = nullptr;
        unsigned long size = 0;
        jpeg_mem_dest(&info, &out, &size);
        info.image_width = JDIMENSION(width);
        info.image_height = JDIMENSION(height);
        info.input_components = Given == JCS_GRAYSCALE ? 1 : Given == JCS_CMYK ? 4 : 3;
        info.in_color_space = Given;
        jpeg_set_defaults(&info);
        jpeg_set_colorspace(&info, Stored);
        jpeg_set_quality(&info, 100, TRUE);
        if (Progressive)
            jpeg_simple_progression(&info);
        jpeg_start_compress(&info, TRUE);
        if (!App1.empty())
            jpeg_write_marker(&info, JPEG_APP0 + 1, App1.data(), unsigned(App1.size()));
        std::vector<JSAMPLE> row(size_t(width) * info.input_components);
        for (int y = 0; y < height; ++y) {
            for (size_t i = 0; i < row.size(); ++i)
                row[i] = JSAMPLE(sample(int(i) / info.input_components, y, int(i) % info.input_components));
            JSAMPROW rows[] = {row.data()};
            jpeg_write_scanlines(&info, rows, 1);
        }
        jpeg_finish_compress(&info);
        jpeg_destroy_compress(&info);
        Bytes bytes(out, out + size);
        std::free(out);
        return bytes;
    }
};

inline Sample Solid(std::vector<int> components) {
    return [components](int, int, int c) { return components[size_t(c)]; };
}

inline void Put32(Bytes* bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes->push_back(uint8_t(value >> shift));
}

// A PNG of one IDAT whose every pixel is `pixel`; past 64 by 64 the data ends early, as in a
// file whose header claims more than it holds.
inline Bytes MakePng(uint32_t width, uint32_t height, uint8_t depth, uint8_t colourType, const Bytes& pixel) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto chunk = [&png](const char* type, Bytes data) {
        Put32(&png, uint32_t(data.size()));
        data.insert(data.begin(), type, type + 4);
        uint32_t crc = ~0u;
        for (uint8_t byte : data) {
            crc ^= byte;
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
        png.insert(png.end(), data.begin(), data.end());
        Put32(&png, ~crc);
    };
    Bytes header;
    Put32(&header, width);
    Put32(&header, height);
    header.insert(header.end(), {depth, colourType, 0, 0, 0});
    chunk("IHDR", header);
    Bytes rows;
    for (uint32_t y = 0; y < height && y < 64; ++y) {
        rows.push_back(0);
        for (uint32_t x = 0; x < width && x < 64; ++x)
            rows.insert(rows.end(), pixel.begin(), pixel.end());
    }
    int size = 0;
    unsigned char* packed = stbi_zlib_compress(rows.data(), int(rows.size()), &size, 8);
    chunk("IDAT", Bytes(packed, packed + size));
    std::free(packed);
    chunk("IEND", {});
    return png;
}

inline Bytes MakeBmp(int width, int height, int channels, const Bytes& pixel) {
    Bytes pixels;
    for (int i = 0; i < width * height; ++i)
        pixels.insert(pixels.end(), pixel.begin(), pixel.end());
    Bytes bmp;
    const auto append = [](void* to, void* data, int size) {
        static_cast<Bytes*>(to)->insert(static_cast<Bytes*>(to)->end(), static_cast<uint8_t*>(data),
                                        static_cast<uint8_t*>(data) + size);
    };
    stbi_write_bmp_to_func(append, &bmp, width, height, channels, pixels.data());
    return bmp;
}

// Writes bytes to a file of the test's own and gives its path.
inline std::string WriteFile(const std::string& name, const Bytes& bytes) {
    const std::string path = testing::TempDir() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (file != nullptr) {
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}
