#pragma once
// The collapsible sections of a channel window and the one height the window may take. The sections
// sit in a group panel G inside the scroll box: an optional header band, an upper (selection) section
// and the level section L with a separator bevel B under the upper one; the check-box panel fills the
// rest of the window. Every show or hide changes the content height and the window height by exactly
// the section's height, so the window always shows its content and nothing else.
namespace tk {
class TCheckBox;
class TControl;
class TForm;
class TPanel;
} // namespace tk

namespace windows {

struct SectionParts {
    tk::TPanel* group = nullptr;    // G: holds the scroll box with the sections
    tk::TPanel* header = nullptr;   // header band at the top of the scroll box
    tk::TPanel* upper = nullptr;    // upper section, top-aligned under the header
    tk::TPanel* level = nullptr;    // L: level section, placed under the upper section
    tk::TControl* bevel = nullptr;  // B: separator line under the upper section
    tk::TPanel* checks = nullptr;   // the check-box panel at the bottom
    tk::TCheckBox* upperBox = nullptr; // in the check-box panel: shows and hides the upper section
    tk::TCheckBox* levelBox = nullptr; // and the level section
};

class WindowSections {
public:
    WindowSections(tk::TForm* form, SectionParts parts) : form_(form), parts_(parts) {}

    // Outer height of the window in pixels: its frame plus what is visible.
    int ContentHeight() const { return contentHeight_; }
    const SectionParts& Parts() const { return parts_; }

    // The window's frame height plus the design-time client height.
    void StartContent(int designClientHeight);
    // Without a header band (one card) the sections move up by its height.
    void RemoveHeader();
    // The upper section moves the level section down when shown and up when hidden.
    void ShowUpper(bool show);
    // The level section with its separator line; metering is the caller's.
    void ShowLevel(bool show);
    void ToggleControlPanel();

private:
    // Content height first: the window's size limits follow it.
    void GrowWindow(int pixels);
    // The group panel and the window together.
    void ResizeGroup(int pixels);
    void ShowGroupIfHidden();
    void HideGroupIfEmpty();

    tk::TForm* form_;
    SectionParts parts_;
    int contentHeight_ = 0; // outer pixels
};

} // namespace windows
