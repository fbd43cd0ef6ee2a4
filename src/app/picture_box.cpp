#include "app/picture_box.h"

#include <QPainter>

#include "app/artwork.h"

namespace zv::app {

PictureBox::PictureBox(const QString& svgResource, QWidget* parent)
    : ClickableWidget(parent), resource_(svgResource) {}

void PictureBox::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    if (cache_.isNull() || cache_.devicePixelRatio() != ratio) {
        // Rendered once per pixel ratio: the busy panel repaints the window
        // often during long work, and the background is the largest picture.
        cache_ = QPixmap::fromImage(artwork::picture(resource_, ratio));
        if (cache_.isNull()) {
            return;
        }
    }
    QPainter(this).drawPixmap(0, 0, cache_);
}

}  // namespace zv::app
