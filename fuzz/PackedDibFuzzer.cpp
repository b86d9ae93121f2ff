// SPDX-License-Identifier: GPL-2.0-or-later
// libFuzzer target over the packed-bitmap decoder: any bytes as a BI_RLE4 bitmap resource. A
// decoded image must be whole and name only colours of its table; ASan catches stray accesses.

#include "framework/PackedDib.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const auto image = DecodePackedDib(bytes);
    if (!image)
        return 0;
    Check(image->width >= 1 && image->width <= kMaxDibSide);
    Check(image->height >= 1 && image->height <= kMaxDibSide);
    Check(!image->palette.empty() && image->palette.size() <= 16);
    Check(image->pixels.size() ==
          static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height));
    Check(std::all_of(image->pixels.begin(), image->pixels.end(),
                      [&](std::uint8_t index) { return index < image->palette.size(); }));
    // The same bytes decode the same way: nothing depends on memory left over from a run.
    const auto again = DecodePackedDib(bytes);
    Check(again && again->pixels == image->pixels && again->palette == image->palette);
    return 0;
}
