#pragma once
// The program's life: ask the driver whether the card is usable, create the permanent windows, put the
// icon into the tray and handle messages until something asks the program to end.

namespace app {

// Needs the application object. Returns when the program is to end; the application object then frees
// the windows in reverse order of creation.
void RunStartup();

} // namespace app
