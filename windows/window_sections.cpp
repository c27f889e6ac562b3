#include "windows/window_sections.h"

#include "toolkit/form.h"
#include "toolkit/panel.h"

namespace windows {

void WindowSections::StartContent(int designClientHeight) {
    contentHeight_ = form_->Height() - form_->ClientHeight() + designClientHeight;
}

void WindowSections::GrowWindow(int pixels) {
    contentHeight_ += pixels;
    form_->SetHeight(form_->Height() + pixels);
}

void WindowSections::ResizeGroup(int pixels) {
    parts_.group->SetHeight(parts_.group->Height() + pixels);
    GrowWindow(pixels);
}

void WindowSections::RemoveHeader() {
    const int height = parts_.header->Height();
    parts_.header->Hide();
    parts_.level->SetTop(parts_.level->Top() - height);
    ResizeGroup(-height);
}

void WindowSections::ShowGroupIfHidden() {
    if (parts_.group->Visible()) return;
    parts_.group->Show();
    GrowWindow(parts_.group->Height());
    if (!parts_.checks->Visible()) parts_.group->SetAlign(tk::TAlign::alClient);
}

void WindowSections::HideGroupIfEmpty() {
    if (parts_.level->Visible() || parts_.upper->Visible()) return;
    parts_.group->SetAlign(tk::TAlign::alTop);
    parts_.group->Hide();
    GrowWindow(-parts_.group->Height());
}

void WindowSections::ShowUpper(bool show) {
    if (show == parts_.upper->Visible()) return;
    const int pixels = show ? parts_.upper->Height() : -parts_.upper->Height();
    if (show) ShowGroupIfHidden();
    parts_.upper->SetVisible(show);
    parts_.level->SetTop(parts_.level->Top() + pixels);
    ResizeGroup(pixels);
    if (!show) HideGroupIfEmpty();
}

void WindowSections::ShowLevel(bool show) {
    if (show == parts_.level->Visible()) return;
    const int pixels = show ? parts_.level->Height() : -parts_.level->Height();
    if (show) ShowGroupIfHidden();
    parts_.level->SetVisible(show);
    parts_.bevel->SetVisible(show);
    ResizeGroup(pixels);
    if (!show) HideGroupIfEmpty();
}

void WindowSections::ToggleControlPanel() {
    tk::TPanel* checks = parts_.checks;
    if (checks->Visible()) {
        checks->Hide();
        GrowWindow(-checks->Height());
        checks->SetAlign(tk::TAlign::alNone);
        if (parts_.group->Visible()) parts_.group->SetAlign(tk::TAlign::alClient);
    } else {
        parts_.group->SetAlign(tk::TAlign::alTop);
        GrowWindow(checks->Height());
        checks->SetAlign(tk::TAlign::alClient);
        checks->Show();
    }
}

} // namespace windows
