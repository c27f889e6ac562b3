#pragma once
// The top-level window of a form. It reports what the user and the window manager do to it (close,
// resize, move, activation, minimise) to the form, which decides what happens.
#include "toolkit/canvas_widget.h"

namespace tk {

class TForm;

class FormWidget : public CanvasWidget {
    Q_OBJECT

public:
    // The widget property that marks a form's Cancel button, which Escape clicks.
    static constexpr const char* kCancelButton = "tkCancelButton";

    explicit FormWidget(TForm* form);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TForm* Form() const;
};

} // namespace tk
