#pragma once
// Page controls: a row of tabs over a framed area that shows one tab sheet at a time. Sheets are
// controls placed in the page control; each fills the area inside the frame and its tab shows its
// Caption. The sheets' order is the order in which they were placed.
#include "toolkit/win_control.h"

#include <QPointer>
#include <vector>

namespace tk {

class TPageControl;
class PageTabBar;

class TTabSheet : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(tk::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(tk::TNotifyEvent OnShow READ OnShow WRITE SetOnShow)

public:
    explicit TTabSheet(TComponent* owner);

    // The page control it is placed in, nullptr when none.
    TPageControl* PageControl() const;
    // Its place among the page control's sheets, -1 outside one.
    int PageIndex() const;

    void SetParent(TWinControl* parent) override;
    void Paint(QPainter& painter) override;

    // Runs when the sheet becomes the active one.
    const TNotifyEvent& OnShow() const { return onShow_; }
    void SetOnShow(const TNotifyEvent& event) { onShow_ = event; }

protected:
    void BeforeDestruction() override;
    void TextChanged() override;

private:
    TNotifyEvent onShow_;
};

class TPageControl : public TWinControl {
    Q_OBJECT
    Q_PROPERTY(tk::TTabSheet* ActivePage READ ActivePage WRITE SetActivePage)
    Q_PROPERTY(tk::TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(tk::TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool HotTrack READ HotTrack WRITE SetHotTrack)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(bool ParentShowHint READ ParentShowHint WRITE SetParentShowHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)
    Q_PROPERTY(int TabWidth READ TabWidth WRITE SetTabWidth)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(tk::TNotifyEvent OnChange READ OnChange WRITE SetOnChange)

public:
    explicit TPageControl(TComponent* owner);
    ~TPageControl() override;

    int PageCount() const { return int(pages_.size()); }
    // The sheet at index; nullptr outside 0..PageCount() - 1.
    TTabSheet* Pages(int index) const;
    int IndexOf(const TTabSheet* page) const;

    // nullptr when there is no page. Only a sheet of this control can become active.
    TTabSheet* ActivePage() const { return activePage_.data(); }
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const { return IndexOf(ActivePage()); }

    // Pixels per tab; 0 sizes each tab to its caption.
    int TabWidth() const { return tabWidth_; }
    void SetTabWidth(int width);
    // The tab under the mouse shows its caption in the highlight colour.
    bool HotTrack() const { return hotTrack_; }
    void SetHotTrack(bool hotTrack);

    // Runs after the user chose another tab.
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(const TNotifyEvent& event) { onChange_ = event; }

    void Loaded() override;

protected:
    void BeforeDestruction() override;
    QMargins NonClientMargins() const override;
    void PaintNonClient(QPainter& painter) override;
    void BoundsChanged() override;
    void FontChanged() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void PageCaptionChanged(TTabSheet* page);
    void TabChosenByUser(int index);
    void ShowActivePageOnly();
    void LayOutPages();
    int TabRowHeight() const;

    PageTabBar* tabBar_;
    std::vector<TTabSheet*> pages_;
    QPointer<TTabSheet> activePage_;
    int tabWidth_ = 0; // pixels, 0 = as wide as the caption
    bool hotTrack_ = false;
    bool settingTab_ = false; // the tab bar follows code, not the user
    TNotifyEvent onChange_;
};

} // namespace tk
