// SPDX-License-Identifier: GPL-2.0-or-later
// A packed device-independent bitmap (bitmap information header, colour table, pixels, no file
// header) with 4-bit BI_RLE4 pixels, decoded to palette indices. Pure and bounded: the bytes may
// be damaged, and no input reads or writes outside the buffers.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

struct DibImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> palette; // 0xRRGGBB, one per colour-table entry
    std::vector<std::uint8_t> pixels;   // palette indices, top row first, width * height
};

inline constexpr int kMaxDibSide = 4096;

// nullopt when the header is not a 4-bit BI_RLE4 bitmap of 1 to kMaxDibSide pixels a side
// stored bottom-up, when the colour table or the pixel data is cut short, when the pixel data
// ends without its end-of-bitmap code, or when a pixel names a colour the table lacks. Pixels
// that runs or deltas place outside the bitmap are dropped; pixels no code sets stay index 0.
std::optional<DibImage> DecodePackedDib(std::span<const std::uint8_t> bytes);
