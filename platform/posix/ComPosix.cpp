#include "platform/Com.h"

namespace tavrin::platform {

// There is no COM here; GUIDs come straight from the random source.
void BeginComUse() {}
void EndComUse() {}

}  // namespace tavrin::platform
