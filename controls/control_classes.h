#pragma once
// Makes the program's own control classes known to form descriptions.

namespace controls {

// Safe to call more than once.
void RegisterControlClasses();

} // namespace controls
