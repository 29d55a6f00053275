#pragma once

namespace tavrin::platform {

// Windows wants COM started on the thread before it hands out GUIDs; one generation brackets
// its expansion with these. Elsewhere they do nothing.
void BeginComUse();
void EndComUse();

}  // namespace tavrin::platform
