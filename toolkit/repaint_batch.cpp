#include "toolkit/repaint_batch.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

namespace tk {
namespace {

struct Batches {
    int open = 0;
    std::vector<QPointer<QWidget>> windows; // windows with areas to paint
};

Batches& OpenBatches() {
    static Batches batches;
    return batches;
}

// The part of rect (in widget's coordinates) that its window can show: inside the widget and each of
// its parents. Qt would drop the rest only after marking the widget dirty and weighing it against its
// siblings in the next paint; a scrolled-out meter changes every tick.
QRect ShownPart(const QWidget* widget, QRect rect) {
    QPoint offset; // from widget to the parent reached
    for (const QWidget* reached = widget; !rect.isEmpty(); reached = reached->parentWidget()) {
        rect &= reached->rect().translated(-offset);
        if (reached->isWindow()) break;
        offset += reached->pos();
    }
    return rect;
}

} // namespace

RepaintBatch::RepaintBatch() { ++OpenBatches().open; }

// Qt gathers the areas of a window and posts it one update request; the window takes it here rather
// than in a later pass of the loop.
RepaintBatch::~RepaintBatch() {
    Batches& batches = OpenBatches();
    --batches.open;
    const std::vector<QPointer<QWidget>> windows = std::exchange(batches.windows, {});
    for (const QPointer<QWidget>& window : windows)
        if (window) QCoreApplication::sendPostedEvents(window, QEvent::UpdateRequest);
}

void RepaintBatch::Update(QWidget* widget, const QRect& rect) {
    const QRect shown = ShownPart(widget, rect);
    if (shown.isEmpty()) return;
    widget->update(shown);
    Batches& batches = OpenBatches();
    if (batches.open == 0) return;
    QWidget* window = widget->window();
    if (std::find(batches.windows.begin(), batches.windows.end(), window) == batches.windows.end())
        batches.windows.emplace_back(window);
}

} // namespace tk
