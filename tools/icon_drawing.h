#pragma once
// The program's icons, drawn for one size in device pixels: three faders on a blue tile (MIXERICON,
// the tray's and the windows' icon), and the same tile with a card's edge connector along its foot
// (MAINICON, the program's icon on the desktop). Every edge but the tile's rounded corners lies on
// whole pixels at every size, so no size is a scaled copy of another.
#include <QImage>

namespace tools {

enum class IconKind { mixer, card };

QImage DrawIcon(IconKind kind, int size);

} // namespace tools
