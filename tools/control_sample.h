#pragma once
// A form that shows the fader and the meters at several positions and levels, with a strip copied by
// CloneComponents beside its template, for looking at their drawing.
namespace tk {
class TForm;
}

namespace tools {

// Owned by nobody; the caller frees it.
tk::TForm* CreateControlSample();

} // namespace tools
