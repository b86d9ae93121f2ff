// Row pictures of the list view from its borrowed image lists.
#include "framework/ListViewWidget.h"

#include "framework/ImageList.h"

#include <QHeaderView>
#include <QPainter>

ListViewWidget::ListViewWidget(QWidget* parent) : QTreeWidget(parent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setHeaderLabels({QString()});
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
}

namespace {

QSize ListImageSize(const CImageList* list)
{
    return list && list->IsCreated() ? list->ImageSize() : QSize(0, 0);
}

} // namespace

void ListViewWidget::SetImageLists(const CImageList* small, const CImageList* state)
{
    smallImages = small;
    stateImages = state;
    const QSize smallSize = ListImageSize(smallImages);
    const QSize stateSize = ListImageSize(stateImages);
    setIconSize(QSize(smallSize.width() + stateSize.width(),
                      std::max(smallSize.height(), stateSize.height())));
}

QIcon ListViewWidget::RowIcon(int stateImage, int image) const
{
    const QSize size = iconSize();
    if (size.isEmpty() || (!smallImages && !stateImages))
        return {};
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const int stateWidth = ListImageSize(stateImages).width();
    if (stateImages && stateImage > 0) {
        if (const QPixmap* state = stateImages->Image(stateImage - 1))
            painter.drawPixmap(0, 0, *state);
    }
    if (smallImages) {
        if (const QPixmap* small = smallImages->Image(image))
            painter.drawPixmap(stateWidth, 0, *small);
    }
    painter.end();
    return QIcon(picture);
}
