#pragma once
// Images: a picture from a file or a Qt resource, drawn at the top left, centred or stretched.
#include "toolkit/control.h"

#include <QPixmap>

namespace tk {

class TImage : public TGraphicControl {
    Q_OBJECT
    Q_PROPERTY(tk::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(QString Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnClick READ OnClick WRITE SetOnClick)
    Q_PROPERTY(tk::TMouseEvent OnMouseDown READ OnMouseDown WRITE SetOnMouseDown)
    Q_PROPERTY(tk::TMouseMoveEvent OnMouseMove READ OnMouseMove WRITE SetOnMouseMove)
    Q_PROPERTY(tk::TMouseEvent OnMouseUp READ OnMouseUp WRITE SetOnMouseUp)

public:
    explicit TImage(TComponent* owner);

    // The path of the picture; throws tk::Exception when there is no picture there.
    const QString& Picture() const { return picture_; }
    void SetPicture(const QString& path);
    const QPixmap& Pixmap() const { return pixmap_; }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Center() const { return center_; }
    void SetCenter(bool center);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    void Paint(QPainter& painter) override;

private:
    void AdjustSize();

    QString picture_;
    QPixmap pixmap_;
    bool autoSize_ = false;
    bool center_ = false;
    bool stretch_ = false;
};

} // namespace tk
