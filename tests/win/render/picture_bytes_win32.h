#pragma once
// Small pictures built byte by byte, so that the tests know every pixel: PNG
// (stored deflate blocks), ICO with a 32-bit DIB, and 24-bit BMP. Pixels are
// given top row first as 0xAARRGGBB.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "support/bytes.h"

namespace dock::testing {

using PixelAt = std::function<std::uint32_t(int x, int y)>;

inline std::uint32_t crc32Of(const std::uint8_t* data, std::size_t size,
                             std::uint32_t crc = 0xFFFFFFFFu) {
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return crc;
}

inline void putBigEndian(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((v >> shift) & 0xFF);
}
inline void putLittleEndian(Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

inline Bytes pngOf(int width, int height, const PixelAt& pixel) {
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = pixel(x, y);
            raw.push_back((p >> 16) & 0xFF);
            raw.push_back((p >> 8) & 0xFF);
            raw.push_back(p & 0xFF);
            raw.push_back((p >> 24) & 0xFF);
        }
    }
    // zlib stream of stored blocks with its Adler-32.
    Bytes z{0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - at, 65535);
        z.push_back(at + n == raw.size() ? 1 : 0);
        putLittleEndian(z, static_cast<std::uint32_t>(n), 2);
        putLittleEndian(z, static_cast<std::uint32_t>(~n & 0xFFFF), 2);
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(z, (b << 16) | a);

    Bytes png{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    auto chunk = [&png](const char* type, const Bytes& data) {
        putBigEndian(png, static_cast<std::uint32_t>(data.size()));
        const std::size_t start = png.size();
        png.insert(png.end(), type, type + 4);
        png.insert(png.end(), data.begin(), data.end());
        putBigEndian(png, ~crc32Of(png.data() + start, png.size() - start));
    };
    Bytes header;
    putBigEndian(header, width);
    putBigEndian(header, height);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA
    chunk("IHDR", header);
    chunk("IDAT", z);
    chunk("IEND", {});
    return png;
}

// A one-image icon with a 32-bit DIB (alpha channel) and an all-zero mask.
inline Bytes icoOf(int size, const PixelAt& pixel) {
    Bytes dib;
    putLittleEndian(dib, 40, 4);
    putLittleEndian(dib, size, 4);
    putLittleEndian(dib, size * 2, 4);  // colour and mask
    putLittleEndian(dib, 1, 2);
    putLittleEndian(dib, 32, 2);
    for (int i = 0; i < 6; ++i) putLittleEndian(dib, 0, 4);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) putLittleEndian(dib, pixel(x, y), 4);
    const int maskRow = ((size + 31) / 32) * 4;
    dib.insert(dib.end(), static_cast<std::size_t>(maskRow * size), 0);

    Bytes ico;
    putLittleEndian(ico, 0, 2);
    putLittleEndian(ico, 1, 2);  // type: icon
    putLittleEndian(ico, 1, 2);  // one image
    ico.push_back(static_cast<std::uint8_t>(size));
    ico.push_back(static_cast<std::uint8_t>(size));
    ico.push_back(0);
    ico.push_back(0);
    putLittleEndian(ico, 1, 2);
    putLittleEndian(ico, 32, 2);
    putLittleEndian(ico, static_cast<std::uint32_t>(dib.size()), 4);
    putLittleEndian(ico, 22, 4);
    ico.insert(ico.end(), dib.begin(), dib.end());
    return ico;
}

inline Bytes bmpOf(int width, int height, const PixelAt& pixel) {
    const int row = ((width * 3 + 3) / 4) * 4;
    Bytes bmp{'B', 'M'};
    putLittleEndian(bmp, 54 + row * height, 4);
    putLittleEndian(bmp, 0, 4);
    putLittleEndian(bmp, 54, 4);
    putLittleEndian(bmp, 40, 4);
    putLittleEndian(bmp, width, 4);
    putLittleEndian(bmp, height, 4);
    putLittleEndian(bmp, 1, 2);
    putLittleEndian(bmp, 24, 2);
    for (int i = 0; i < 6; ++i) putLittleEndian(bmp, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) putLittleEndian(bmp, pixel(x, y) & 0xFFFFFF, 3);
        bmp.insert(bmp.end(), static_cast<std::size_t>(row - width * 3), 0);
    }
    return bmp;
}

inline PixelAt solid(std::uint32_t argb) {
    return [argb](int, int) { return argb; };
}

}  // namespace dock::testing
