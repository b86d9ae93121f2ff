// SPDX-License-Identifier: GPL-2.0-or-later
// CImageList: equal square cells cut from a bitmap resource, drawn opaque (no mask colour). The
// object owns its images; views that are given it only borrow it and never destroy it.
#pragma once

#include "framework/PackedDib.h"
#include "platform/WindowMessage.h"

#include <QPixmap>
#include <optional>
#include <vector>

class CImageList
{
public:
    // From bitmap resource `bitmapId` (a packed DIB), cut into cells `cellWidth` pixels wide and
    // as high as the bitmap. The list holds what the bitmap gives and never grows. False, with no
    // images, when the resource is missing or damaged.
    bool Create(UINT bitmapId, int cellWidth);
    bool Create(const DibImage& bitmap, int cellWidth);
    void DeleteImageList();

    bool IsCreated() const { return created; }
    int GetImageCount() const { return static_cast<int>(images.size()); }
    QSize ImageSize() const { return imageSize; }
    // Null outside 0 to GetImageCount() - 1: such an index draws nothing.
    const QPixmap* Image(int index) const;

private:
    bool created = false;
    QSize imageSize;
    std::vector<QPixmap> images;
};
