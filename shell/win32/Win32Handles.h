#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owners of the system's handles: each is freed once, by the call that matches how it was
// made, when its owner goes.
namespace tavrin::shell::win32 {

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct WindowDeleter {
    void operator()(HWND window) const { DestroyWindow(window); }
};

using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;

}  // namespace tavrin::shell::win32
