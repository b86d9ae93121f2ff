// SPDX-License-Identifier: GPL-2.0-or-later
// BI_RLE4 decoding. Pixel data is a series of two-byte codes:
//   n c      n > 0: n pixels alternating the high and the low nibble of c
//   0 0      end of line: next row, first column
//   0 1      end of bitmap
//   0 2 x y  delta: move x columns right and y rows up
//   0 n ...  n >= 3: n nibbles follow as they stand, padded to an even number of bytes
// Rows are stored bottom-up.
#include "framework/PackedDib.h"

#include <cstddef>

namespace {

constexpr std::uint32_t kBitmapInfoHeaderSize = 40;
constexpr std::uint32_t kRle4 = 2;

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
           std::uint32_t{bytes[at + 2]} << 16 | std::uint32_t{bytes[at + 3]} << 24;
}

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

class Canvas
{
public:
    explicit Canvas(DibImage& image) : image(image) {}

    // False when the colour is not in the table: the bitmap is damaged.
    bool Put(std::uint8_t index)
    {
        if (index >= image.palette.size())
            return false;
        if (x < image.width && y < image.height) {
            std::size_t row = static_cast<std::size_t>(image.height - 1 - y);
            image
                .pixels[row * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)] =
                index;
        }
        ++x;
        return true;
    }
    void NextLine()
    {
        x = 0;
        ++y;
    }
    void Move(int right, int up)
    {
        x += right;
        y += up;
    }

private:
    DibImage& image;
    // Wide enough that no number of codes in a bounded input can overflow them.
    std::int64_t x = 0;
    std::int64_t y = 0;
};

bool DecodeRle4(std::span<const std::uint8_t> data, DibImage& image)
{
    Canvas canvas(image);
    std::size_t at = 0;
    while (at + 2 <= data.size()) {
        const std::uint8_t count = data[at];
        const std::uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {
            for (int pixel = 0; pixel < count; ++pixel) {
                if (!canvas.Put(pixel % 2 == 0 ? value >> 4 : value & 0x0F))
                    return false;
            }
            continue;
        }
        switch (value) {
        case 0:
            canvas.NextLine();
            break;
        case 1:
            return true;
        case 2:
            if (at + 2 > data.size())
                return false;
            canvas.Move(data[at], data[at + 1]);
            at += 2;
            break;
        default: {
            const std::size_t byteCount = (value + 1u) / 2u;
            const std::size_t padded = byteCount + byteCount % 2;
            if (at + padded > data.size())
                return false;
            for (int pixel = 0; pixel < value; ++pixel) {
                const std::uint8_t packed = data[at + static_cast<std::size_t>(pixel / 2)];
                if (!canvas.Put(pixel % 2 == 0 ? packed >> 4 : packed & 0x0F))
                    return false;
            }
            at += padded;
            break;
        }
        }
    }
    return false; // no end-of-bitmap code
}

} // namespace

std::optional<DibImage> DecodePackedDib(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kBitmapInfoHeaderSize)
        return std::nullopt;
    const std::uint32_t headerSize = ReadU32(bytes, 0);
    const auto width = static_cast<std::int32_t>(ReadU32(bytes, 4));
    const auto height = static_cast<std::int32_t>(ReadU32(bytes, 8));
    const std::uint16_t planes = ReadU16(bytes, 12);
    const std::uint16_t bitsPerPixel = ReadU16(bytes, 14);
    const std::uint32_t compression = ReadU32(bytes, 16);
    const std::uint32_t imageSize = ReadU32(bytes, 20);
    const std::uint32_t colorsUsed = ReadU32(bytes, 32);
    if (headerSize < kBitmapInfoHeaderSize || headerSize > bytes.size() || width < 1 ||
        width > kMaxDibSide || height < 1 || height > kMaxDibSide || planes != 1 ||
        bitsPerPixel != 4 || compression != kRle4 || colorsUsed > 16)
        return std::nullopt;

    const std::size_t colorCount = colorsUsed == 0 ? 16 : colorsUsed;
    const std::size_t pixelsAt = headerSize + 4 * colorCount;
    if (pixelsAt > bytes.size())
        return std::nullopt;
    const std::size_t available = bytes.size() - pixelsAt;
    if (imageSize > available)
        return std::nullopt;

    DibImage image;
    image.width = width;
    image.height = height;
    for (std::size_t entry = 0; entry < colorCount; ++entry) {
        const std::size_t at = headerSize + 4 * entry; // blue, green, red, reserved
        image.palette.push_back(std::uint32_t{bytes[at + 2]} << 16 |
                                std::uint32_t{bytes[at + 1]} << 8 | bytes[at]);
    }
    image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    if (!DecodeRle4(bytes.subspan(pixelsAt, imageSize == 0 ? available : imageSize), image))
        return std::nullopt;
    return image;
}
