#include "platform/VersionResource.h"

namespace tavrin::platform {

// Executables carry no version resource here; the program has its data compiled in.
bool LoadOwnVersionResource(VersionResource& out) {
    out = BuiltInVersionResource();
    return true;
}

}  // namespace tavrin::platform
