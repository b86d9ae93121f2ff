// SPDX-License-Identifier: GPL-2.0-or-later
// Image lists from packed bitmaps: decoded once, cut into cells.
#include "framework/ImageList.h"

#include "framework/Resources.h"

#include <QImage>

bool CImageList::Create(UINT bitmapId, int cellWidth)
{
    DeleteImageList();
    const std::vector<std::uint8_t> bytes = AfxLoadBitmapBytes(bitmapId);
    const std::optional<DibImage> bitmap = DecodePackedDib(bytes);
    return bitmap && Create(*bitmap, cellWidth);
}

bool CImageList::Create(const DibImage& bitmap, int cellWidth)
{
    DeleteImageList();
    if (cellWidth < 1 || cellWidth > bitmap.width)
        return false;
    QImage strip(bitmap.width, bitmap.height, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        const std::uint8_t* indices =
            bitmap.pixels.data() +
            static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width);
        for (int x = 0; x < bitmap.width; ++x)
            line[x] = 0xFF000000u | bitmap.palette[indices[x]];
    }
    imageSize = QSize(cellWidth, bitmap.height);
    for (int left = 0; left + cellWidth <= bitmap.width; left += cellWidth)
        images.push_back(QPixmap::fromImage(strip.copy(left, 0, cellWidth, bitmap.height)));
    created = true;
    return true;
}

void CImageList::DeleteImageList()
{
    images.clear();
    imageSize = QSize();
    created = false;
}

const QPixmap* CImageList::Image(int index) const
{
    return index >= 0 && index < GetImageCount() ? &images[static_cast<std::size_t>(index)]
                                                 : nullptr;
}
