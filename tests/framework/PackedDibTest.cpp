// SPDX-License-Identifier: GPL-2.0-or-later
// BI_RLE4 packed bitmaps: every code of the scheme on a small bitmap, and damaged inputs that
// must give nothing rather than read or write out of bounds.
#include "framework/PackedDib.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Append32(Bytes& bytes, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Append16(Bytes& bytes, std::uint16_t value)
{
    bytes.push_back(static_cast<std::uint8_t>(value));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

struct Header
{
    std::int32_t width = 4;
    std::int32_t height = 3;
    std::uint16_t bitsPerPixel = 4;
    std::uint32_t compression = 2;
    std::uint32_t colorsUsed = 0;
};

// Header, colour table (entry i is the colour 0x0i0i0i) and the pixel codes.
Bytes Dib(const Bytes& codes, Header header = {})
{
    Bytes bytes;
    Append32(bytes, 40);
    Append32(bytes, static_cast<std::uint32_t>(header.width));
    Append32(bytes, static_cast<std::uint32_t>(header.height));
    Append16(bytes, 1);
    Append16(bytes, header.bitsPerPixel);
    Append32(bytes, header.compression);
    Append32(bytes, static_cast<std::uint32_t>(codes.size()));
    Append32(bytes, 0);
    Append32(bytes, 0);
    Append32(bytes, header.colorsUsed);
    Append32(bytes, 0);
    const std::uint32_t colors = header.colorsUsed == 0 ? 16 : header.colorsUsed;
    for (std::uint8_t entry = 0; entry < colors; ++entry)
        bytes.insert(bytes.end(), {entry, entry, entry, 0});
    bytes.insert(bytes.end(), codes.begin(), codes.end());
    return bytes;
}

TEST(PackedDib, DecodesRunsAbsoluteRunsDeltasAndLineEndsBottomUp)
{
    const Bytes codes = {
        0x04, 0x12,             // bottom row: 1 2 1 2
        0x00, 0x00,             // end of line
        0x00, 0x03, 0x34, 0x50, // middle row: 3 4 5 as they stand, padded to two bytes
        0x00, 0x02, 0x00, 0x01, // delta: no column right, one row up: top row, column 3
        0x01, 0x60,             // one pixel 6
        0x00, 0x01,             // end of bitmap
    };
    const auto image = DecodePackedDib(Dib(codes));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 4);
    EXPECT_EQ(image->height, 3);
    ASSERT_EQ(image->palette.size(), 16u);
    EXPECT_EQ(image->palette[5], 0x050505u);
    // Top row first; pixels no code sets stay 0.
    EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{0, 0, 0, 6, //
                                                        3, 4, 5, 0, //
                                                        1, 2, 1, 2}));
}

TEST(PackedDib, DropsPixelsOutsideTheBitmap)
{
    // A run past the right edge and rows past the top are clipped, not written elsewhere.
    const Bytes codes = {0x06, 0x77, 0x00, 0x00, 0x00, 0x00, 0x00,
                         0x00, 0x00, 0x00, 0x04, 0x99, 0x00, 0x01};
    const auto image = DecodePackedDib(Dib(codes));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 7, 7, 7, 7}));
}

TEST(PackedDib, RefusesDamagedBitmaps)
{
    const Bytes fine = {0x04, 0x12, 0x00, 0x01};
    struct Damaged
    {
        const char* name;
        Bytes bytes;
    };
    Bytes cutHeader = Dib(fine);
    cutHeader.resize(39);
    Bytes cutPalette = Dib(fine);
    cutPalette.resize(40 + 63);
    Bytes imageSizeTooLarge = Dib(fine);
    imageSizeTooLarge[20] = 200;
    const Damaged cases[] = {
        {"header cut short", cutHeader},
        {"colour table cut short", cutPalette},
        {"image size beyond the data", imageSizeTooLarge},
        {"no end of bitmap", Dib({0x04, 0x12, 0x00, 0x00})},
        {"absolute run cut short", Dib({0x00, 0x05, 0x12, 0x00, 0x01})},
        {"delta cut short", Dib({0x00, 0x02, 0x01})},
        {"odd trailing byte", Dib({0x04, 0x12, 0x00})},
        {"colour beyond a short table", Dib({0x02, 0x05, 0x00, 0x01}, {.colorsUsed = 4})},
        {"not 4 bits per pixel", Dib(fine, {.bitsPerPixel = 8})},
        {"not run-length", Dib(fine, {.compression = 0})},
        {"stored top-down", Dib(fine, {.height = -3})},
        {"zero width", Dib(fine, {.width = 0})},
        {"huge width", Dib(fine, {.width = kMaxDibSide + 1})},
        {"more than 16 colours", Dib(fine, {.colorsUsed = 17})},
    };
    for (const Damaged& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        EXPECT_FALSE(DecodePackedDib(testCase.bytes));
    }
    EXPECT_TRUE(DecodePackedDib(Dib(fine)));
}

} // namespace
