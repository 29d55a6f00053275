#pragma once

namespace tavrin::shell::wx {

// Makes the dialog layouts compiled in by wxrc (res/*.xrc) available, with the handlers of the
// controls they use. Any dialog may be the first to open, so each calls this; only the first
// call does anything.
void LoadLayoutResources();

}  // namespace tavrin::shell::wx
