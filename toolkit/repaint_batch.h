#pragma once
// Repaints gathered while the messages of other threads are delivered. On a meter tick every window's
// meters change: without a batch each window takes the update request that Qt posts it in a later pass
// of the loop; with one, each window paints its changed areas once, when the batch ends, in the same
// pass. User-interface thread only. Batches nest, and the end of any of them paints all that was
// gathered; an event loop that a handler runs inside a batch (a modal dialog) paints as it goes.
#include <QRect>

class QWidget;

namespace tk {

class RepaintBatch {
public:
    RepaintBatch();
    ~RepaintBatch();
    RepaintBatch(const RepaintBatch&) = delete;
    RepaintBatch& operator=(const RepaintBatch&) = delete;

    // Repaints rect (in the widget's coordinates) as QWidget::update does; inside a batch, at its end.
    // What lies outside the widget or a parent (scrolled out of view) is left alone: the window paints
    // it whole when it comes into view.
    static void Update(QWidget* widget, const QRect& rect);
};

} // namespace tk
