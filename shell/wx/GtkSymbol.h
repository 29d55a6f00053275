#pragma once

#ifdef __WXGTK__

#include <dlfcn.h>

namespace tavrin::shell {

// A function of the GTK that the toolkit has loaded, or null. GTK's headers are not part of the
// toolkit's development files, so the few GTK calls that wxWidgets does not wrap are looked up
// by name, with their signatures written out where they are used.
template <class Function>
Function* GtkSymbol(const char* name) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_DEFAULT, name));
}

}  // namespace tavrin::shell

#endif
