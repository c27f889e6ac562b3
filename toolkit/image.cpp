#include "toolkit/image.h"

#include "toolkit/errors.h"

#include <QPainter>

namespace tk {

TImage::TImage(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

void TImage::SetPicture(const QString& path) {
    QPixmap pixmap;
    if (!path.isEmpty() && !pixmap.load(path)) throw Exception(QStringLiteral("no picture at %1").arg(path));
    picture_ = path;
    pixmap_ = pixmap;
    AdjustSize();
    Invalidate();
}

void TImage::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

void TImage::SetCenter(bool center) {
    center_ = center;
    Invalidate();
}

void TImage::SetStretch(bool stretch) {
    stretch_ = stretch;
    Invalidate();
}

void TImage::AdjustSize() {
    if (autoSize_ && !pixmap_.isNull()) SetBounds(Left(), Top(), pixmap_.width(), pixmap_.height());
}

void TImage::Paint(QPainter& painter) {
    if (pixmap_.isNull()) return;
    if (stretch_) {
        painter.drawPixmap(ClientRect(), pixmap_);
    } else if (center_) {
        painter.drawPixmap((Width() - pixmap_.width()) / 2, (Height() - pixmap_.height()) / 2, pixmap_);
    } else {
        painter.drawPixmap(0, 0, pixmap_);
    }
}

} // namespace tk
