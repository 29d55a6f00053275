#pragma once

#include "shell/ResourceIds.h"

namespace tavrin::shell {

// The boxes that hold a path: the output folder and the resource script. They are narrower
// than most paths, and what tells two folders apart is at the end, so each window shows the
// end of the text once it is written there, and the whole path in the box's tooltip.
constexpr bool IsPathBox(int controlId) {
    return controlId == kIdcOutputFolder || controlId == kIdcResourceFile;
}

}  // namespace tavrin::shell
