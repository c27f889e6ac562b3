#include "toolkit/page_control.h"

#include "toolkit/classic_paint.h"
#include "toolkit/lifetime.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTabBar>
#include <QWidget>
#include <algorithm>

namespace tk {
namespace {

constexpr int kFrame = 2;         // pixels of the raised frame around the sheets
constexpr int kSheetMargin = 2;   // pixels between the frame and a sheet
constexpr int kTabOverlap = 2;    // pixels by which the tabs reach down over the frame's top edge
constexpr int kTabRowIndent = 2;  // pixels from the control's left edge to the first tab

} // namespace

// Tabs of a fixed width when one is set, and the caption under the mouse highlighted when asked.
class PageTabBar : public QTabBar {
public:
    explicit PageTabBar(QWidget* parent) : QTabBar(parent) {
        setDrawBase(false);
        setExpanding(false);
        setUsesScrollButtons(false);
        setMouseTracking(true);
    }

    void SetTabWidth(int width) {
        tabWidth_ = width;
        updateGeometry();
        // Qt keeps tab sizes until the tabs change; a caption set to itself makes it measure again.
        for (int index = 0; index < count(); ++index) setTabText(index, tabText(index));
    }

    void SetHotTrack(bool hotTrack) {
        hotTrack_ = hotTrack;
        Highlight(-1);
    }

protected:
    QSize tabSizeHint(int index) const override {
        QSize size = QTabBar::tabSizeHint(index);
        if (tabWidth_ > 0) size.setWidth(tabWidth_);
        return size;
    }

    void mouseMoveEvent(QMouseEvent* event) override {
        Highlight(hotTrack_ ? tabAt(event->position().toPoint()) : -1);
        QTabBar::mouseMoveEvent(event);
    }

    void leaveEvent(QEvent* event) override {
        Highlight(-1);
        QTabBar::leaveEvent(event);
    }

private:
    void Highlight(int index) {
        if (index == hotIndex_) return;
        if (hotIndex_ >= 0 && hotIndex_ < count()) setTabTextColor(hotIndex_, QColor());
        hotIndex_ = index;
        if (hotIndex_ >= 0) setTabTextColor(hotIndex_, ToQColor(clHighlight));
    }

    int tabWidth_ = 0;
    int hotIndex_ = -1;
    bool hotTrack_ = false;
};

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
    Widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    Hide(); // until its page control shows it
}

TPageControl* TTabSheet::PageControl() const { return qobject_cast<TPageControl*>(Parent()); }

int TTabSheet::PageIndex() const {
    const TPageControl* pages = PageControl();
    return pages ? pages->IndexOf(this) : -1;
}

void TTabSheet::SetParent(TWinControl* parent) {
    if (parent == Parent()) return;
    if (TPageControl* old = PageControl()) old->RemovePage(this);
    TWinControl::SetParent(parent);
    if (TPageControl* pages = PageControl()) pages->InsertPage(this);
}

void TTabSheet::BeforeDestruction() {
    if (TPageControl* pages = PageControl()) pages->RemovePage(this);
    TWinControl::BeforeDestruction();
}

void TTabSheet::TextChanged() {
    TWinControl::TextChanged();
    if (TPageControl* pages = PageControl()) pages->PageCaptionChanged(this);
}

void TTabSheet::Paint(QPainter& painter) { painter.fillRect(ClientRect(), ToQColor(Color())); }

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner), tabBar_(new PageTabBar(Widget())) {
    Widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    connect(tabBar_, &QTabBar::currentChanged, this, [this](int index) {
        if (!settingTab_) RunFromQt([this, index] { TabChosenByUser(index); });
    });
    SetBounds(0, 0, 289, 193);
}

TPageControl::~TPageControl() = default;

// Sheets freed after their page control must not reach back into it.
void TPageControl::BeforeDestruction() {
    pages_.clear();
    activePage_ = nullptr;
    TWinControl::BeforeDestruction();
}

TTabSheet* TPageControl::Pages(int index) const {
    return index >= 0 && index < PageCount() ? pages_[std::size_t(index)] : nullptr;
}

int TPageControl::IndexOf(const TTabSheet* page) const {
    const auto found = std::find(pages_.begin(), pages_.end(), page);
    return found == pages_.end() ? -1 : int(found - pages_.begin());
}

void TPageControl::SetActivePage(TTabSheet* page) {
    if (page && page->PageControl() != this) return;
    if (page == activePage_) return;
    activePage_ = page;
    settingTab_ = true;
    tabBar_->setCurrentIndex(IndexOf(page));
    settingTab_ = false;
    ShowActivePageOnly();
    if (page && !IsLoading()) page->OnShow()(page);
}

void TPageControl::SetTabWidth(int width) {
    tabWidth_ = std::max(0, width);
    tabBar_->SetTabWidth(tabWidth_);
    LayOutPages();
}

void TPageControl::SetHotTrack(bool hotTrack) {
    hotTrack_ = hotTrack;
    tabBar_->SetHotTrack(hotTrack);
}

void TPageControl::Loaded() {
    TWinControl::Loaded();
    if (!activePage_ && !pages_.empty()) SetActivePage(pages_.front());
    LayOutPages();
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    settingTab_ = true;
    tabBar_->addTab(DisplayText(page->Caption()));
    settingTab_ = false;
    LayOutPages();
    if (!activePage_ && !IsLoading()) SetActivePage(page);
    else ShowActivePageOnly();
}

void TPageControl::RemovePage(TTabSheet* page) {
    const int index = IndexOf(page);
    if (index < 0) return;
    pages_.erase(pages_.begin() + index);
    settingTab_ = true;
    tabBar_->removeTab(index);
    settingTab_ = false;
    if (page == activePage_) {
        activePage_ = nullptr;
        SetActivePage(Pages(std::min(index, PageCount() - 1)));
    }
}

void TPageControl::PageCaptionChanged(TTabSheet* page) {
    const int index = IndexOf(page);
    if (index >= 0) tabBar_->setTabText(index, DisplayText(page->Caption()));
    LayOutPages();
}

void TPageControl::TabChosenByUser(int index) {
    SetActivePage(Pages(index));
    onChange_(this);
}

void TPageControl::ShowActivePageOnly() {
    for (TTabSheet* page : pages_) page->SetVisible(page == activePage_);
}

int TPageControl::TabRowHeight() const { return tabBar_->sizeHint().height(); }

QMargins TPageControl::NonClientMargins() const {
    const int inset = kFrame + kSheetMargin;
    return QMargins(inset, TabRowHeight() - kTabOverlap + inset, inset, inset);
}

// The tab row and the sheets' frame follow the tab height, which follows the font.
void TPageControl::LayOutPages() {
    tabBar_->setGeometry(kTabRowIndent, 0, std::max(0, Width() - 2 * kTabRowIndent), TabRowHeight());
    ClientAreaChanged();
    for (TTabSheet* page : pages_) page->SetBounds(0, 0, ClientWidth(), ClientHeight());
}

void TPageControl::BoundsChanged() {
    TWinControl::BoundsChanged();
    LayOutPages();
}

void TPageControl::FontChanged() {
    TWinControl::FontChanged();
    LayOutPages();
}

void TPageControl::PaintNonClient(QPainter& painter) {
    const QColor background = ToQColor(Parent() ? Parent()->Color() : Color());
    painter.fillRect(QRect(0, 0, Width(), Height()), background);
    QRect frame(0, TabRowHeight() - kTabOverlap, Width(), Height() - TabRowHeight() + kTabOverlap);
    Frame3D(painter, frame, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(painter, frame, cl3DLight, clBtnShadow, 1);
    painter.fillRect(frame, ToQColor(Color()));
}

} // namespace tk
