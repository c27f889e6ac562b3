#pragma once
// Makes the program's own control classes known to form descriptions and to screen readers.

namespace controls {

// Safe to call more than once.
void RegisterControlClasses();

} // namespace controls
