#pragma once
// Builds the strips of cards 1 to 3 from card 0's design-time strip: the named children of each strip
// panel are cloned into the panel itself, one strip step further right per card, and each copy is
// numbered for its card: meters and faders go on counting from the template's, link boxes are named
// after their fader pair, panels carry the card, a label tagged above 0 carries the card's number
// (card + 1), and the separator line stays single.
#include <QString>

namespace tk {
class TControl;
class TWinControl;
} // namespace tk

namespace windows {

class StripCloner {
public:
    // How a window numbers the copies that differ between windows.
    enum class MeterTags { Sequential, ByCard }; // next number from 2 / template's Tag + 2 x card
    enum class PanelTags { UntaggedOnly, Always };

    StripCloner(int step, MeterTags meterTags, PanelTags panelTags)
        : step_(step), meterTags_(meterTags), panelTags_(panelTags) {}

    // Clones the panel's named children for card (1..3), widening the panel by a step first if asked.
    void CloneStrip(tk::TWinControl* panel, int card, bool widen);
    // Clones the header band's labels for card, their captions ending in its number (card + 1).
    void CloneHeader(tk::TWinControl* header, int card, bool widen);
    // The header label's caption with its last character replaced by the number of card.
    static QString HeaderCaption(const QString& caption, int card);

private:
    void StripCopy(tk::TControl*& copy);
    void HeaderCopy(tk::TControl*& copy) const;

    int step_;                 // pixels between two cards' strips
    MeterTags meterTags_;
    PanelTags panelTags_;
    int card_ = 0;             // the card whose strip is being cloned, 1..3
    int nextMeter_ = 2;        // Tag of the next cloned meter (Sequential)
    int nextFader_ = 2;        // Number of the next cloned fader
    int linkCounter_ = 1;      // link boxes named so far, the template's included
};

} // namespace windows
