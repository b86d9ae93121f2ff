// SPDX-License-Identifier: GPL-2.0-or-later
// The colour swatch strip as the program carries it: its exact bytes and run-length layout, and
// what each decoded cell shows (frame, field colours, the number's colour).
#include "framework/ImageList.h"
#include "framework/PackedDib.h"
#include "framework/Resources.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>
#include <set>

namespace {

enum Palette : std::uint8_t
{
    Black,
    Maroon,
    Green,
    Olive,
    Navy,
    Purple,
    Teal,
    Silver,
    Grey,
    Red,
    Lime,
    Yellow,
    Blue,
    Magenta,
    Cyan,
    White,
};

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

struct Cell
{
    std::set<std::uint8_t> field; // the colours of the field around the number
    std::uint8_t number;
    bool checkerboard;
};

// Image i shows colour i + 1; image 13 shows colour 0.
const Cell kCells[14] = {
    {{Olive}, White, false},
    {{Blue, Cyan}, Black, true},
    {{Green}, White, false},
    {{Maroon}, White, false},
    {{Yellow, Grey}, Black, true},
    {{Red, White}, Black, true},
    {{Red, Yellow, White}, Black, false}, // checkerboard with white flecks
    {{Silver, Purple}, Yellow, true},
    {{Purple, White}, Yellow, true},
    {{Olive, White}, Black, true},
    {{Teal}, White, false},
    {{Yellow, Silver}, Black, false}, // yellow with silver dots
    {{Teal, Blue}, White, true},
    {{White}, Black, false},
};

TEST(SwatchStrip, IsThePackedRunLengthBitmapOfFixedLayout)
{
    const std::vector<std::uint8_t> bytes = AfxLoadBitmapBytes(kSwatchStripId);
    ASSERT_EQ(bytes.size(), 1814u);
    const std::uint32_t header[] = {40, 224, 16, 0x00040001 /* planes 1, 4 bits */, 2, 1710, 0,
                                    0,  0,   0};
    for (std::size_t field = 0; field < std::size(header); ++field)
        EXPECT_EQ(Read32(bytes, 4 * field), header[field]) << "header field " << field;
    const std::uint32_t palette[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080,
                                       0x008080, 0xC0C0C0, 0x808080, 0xFF0000, 0x00FF00, 0xFFFF00,
                                       0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    for (std::size_t entry = 0; entry < 16; ++entry)
        EXPECT_EQ(Read32(bytes, 40 + 4 * entry), palette[entry]) << "palette entry " << entry;

    // Codes: 16 line ends, one bitmap end as the very last code, no deltas.
    int lineEnds = 0;
    std::size_t at = 104;
    bool ended = false;
    while (at + 2 <= bytes.size() && !ended) {
        const std::uint8_t count = bytes[at];
        const std::uint8_t value = bytes[at + 1];
        at += 2;
        if (count != 0)
            continue;
        ASSERT_NE(value, 2) << "delta at " << at - 2;
        if (value == 0)
            ++lineEnds;
        else if (value == 1)
            ended = true;
        else
            at += (value + 1u) / 2u + ((value + 1u) / 2u) % 2u;
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(at, bytes.size());
    EXPECT_EQ(lineEnds, 16);
}

TEST(SwatchStrip, EachCellHasAFramedFieldAndItsNumberInTheContrastingColour)
{
    const std::optional<DibImage> strip = DecodePackedDib(AfxLoadBitmapBytes(kSwatchStripId));
    ASSERT_TRUE(strip);
    ASSERT_EQ(strip->width, 224);
    ASSERT_EQ(strip->height, 16);
    const auto pixel = [&](int x, int y) { return strip->pixels[y * 224 + x]; };
    for (int image = 0; image < 14; ++image) {
        SCOPED_TRACE(image);
        const Cell& cell = kCells[image];
        const int left = 16 * image;
        std::set<std::uint8_t> fieldSeen;
        int numberPixels = 0;
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const std::uint8_t color = pixel(left + x, y);
                if (x == 0 || y == 0 || x == 15 || y == 15) {
                    ASSERT_EQ(color, Black) << "frame at " << x << "," << y;
                } else if (color == cell.number) {
                    ++numberPixels;
                } else {
                    ASSERT_TRUE(cell.field.count(color)) << int(color) << " at " << x << "," << y;
                    fieldSeen.insert(color);
                    // A one-pixel checkerboard: a field pixel's right neighbour in the field
                    // has the other colour.
                    const std::uint8_t right = pixel(left + x + 1, y);
                    if (cell.checkerboard && x < 14 && right != cell.number) {
                        ASSERT_NE(right, color) << "checkerboard at " << x << "," << y;
                    }
                }
            }
        }
        EXPECT_EQ(fieldSeen, cell.field);
        EXPECT_GE(numberPixels, 8) << "the number is drawn";
    }
}

TEST(SwatchStrip, ImageListCutsFourteenOpaqueCells)
{
    CImageList images;
    ASSERT_TRUE(images.Create(kSwatchStripId, 16));
    ASSERT_EQ(images.GetImageCount(), 14);
    EXPECT_EQ(images.Image(14), nullptr);
    EXPECT_EQ(images.Image(-1), nullptr);
    const QImage last = images.Image(13)->toImage();
    EXPECT_EQ(last.pixel(0, 0), qRgb(0, 0, 0)); // the frame is drawn, not masked
    EXPECT_EQ(last.pixel(1, 1), qRgb(255, 255, 255));
    CImageList missing;
    EXPECT_FALSE(missing.Create(999, 16));
    EXPECT_EQ(missing.GetImageCount(), 0);
}

} // namespace
