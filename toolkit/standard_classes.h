#pragma once
// Registers the toolkit's own component classes with the class registry (done at its first use).

namespace tk {

void RegisterStandardClasses();

} // namespace tk
