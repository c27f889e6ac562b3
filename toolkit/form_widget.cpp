#include "toolkit/form_widget.h"

#include "toolkit/form.h"
#include "toolkit/lifetime.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace tk {

FormWidget::FormWidget(TForm* form) : CanvasWidget(form) {
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
}

TForm* FormWidget::Form() const { return static_cast<TForm*>(Control()); }

void FormWidget::closeEvent(QCloseEvent* event) {
    // The form's close action decides; Qt must neither hide nor delete the window by itself.
    event->ignore();
    if (TForm* form = Form()) RunFromQt([form] { form->Close(); });
}

void FormWidget::resizeEvent(QResizeEvent* event) {
    CanvasWidget::resizeEvent(event);
    if (TForm* form = Form()) RunFromQt([form, this] { form->WindowResized(size()); });
}

void FormWidget::moveEvent(QMoveEvent* event) {
    CanvasWidget::moveEvent(event);
    if (TForm* form = Form()) RunFromQt([form, this] { form->WindowMoved(pos()); });
}

void FormWidget::changeEvent(QEvent* event) {
    CanvasWidget::changeEvent(event);
    TForm* form = Form();
    if (!form) return;
    if (event->type() == QEvent::ActivationChange) {
        RunFromQt([form, this] { form->WindowActivationChanged(isActiveWindow()); });
    } else if (event->type() == QEvent::WindowStateChange) {
        const auto state = windowState() & Qt::WindowMinimized ? TWindowState::wsMinimized : TWindowState::wsNormal;
        RunFromQt([form, state] { form->WindowStateChangedByUser(state); });
    }
}

} // namespace tk

namespace tk {

void FormWidget::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool escape = event->key() == Qt::Key_Escape;
    if (enter || escape) {
        for (QPushButton* button : findChildren<QPushButton*>()) {
            const bool wanted = enter ? button->isDefault() : button->property(kCancelButton).toBool();
            if (wanted && button->isEnabled() && button->isVisibleTo(this)) {
                button->click();
                return;
            }
        }
    }
    CanvasWidget::keyPressEvent(event);
}

void FormWidget::contextMenuEvent(QContextMenuEvent* event) {
    TForm* form = Form();
    if (!form) return;
    event->accept();
    const QPoint at = event->globalPos();
    RunFromQt([form, at] { form->SystemMenu().Popup(at); });
}

} // namespace tk
