#include "app/picture_box.h"

#include <QPainter>
#include <QSvgRenderer>

namespace zv::app {

PictureBox::PictureBox(const QString& svgResource, QWidget* parent)
    : ClickableWidget(parent), resource_(svgResource) {}

void PictureBox::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (cache_.isNull() || cache_.devicePixelRatio() != ratio) {
        // Rendered once per pixel ratio: the busy panel repaints the window
        // often during long work, and the background is the largest picture.
        QSvgRenderer renderer(resource_);
        if (!renderer.isValid()) {
            return;
        }
        const QSize size = renderer.defaultSize();
        QPixmap pixmap(size * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        cache_ = pixmap;
    }
    QPainter(this).drawPixmap(0, 0, cache_);
}

}  // namespace zv::app
