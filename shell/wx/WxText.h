#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <wx/string.h>

// The edge between the dialog's code page 932 text and the toolkit's Unicode strings, and
// between the toolkit's path strings and the file system's.
namespace tavrin::shell::wx {

// Code page 932 bytes as toolkit text. A byte sequence that is no valid code page 932 shows
// as "?" rather than blanking the whole text.
wxString ToWx(std::string_view cp932);

// Toolkit text as code page 932. Characters code page 932 cannot hold become "?", one each,
// so a single such character never costs the rest of the text.
std::string FromWx(const wxString& text);

// Paths as the toolkit's dialogs take and give them.
std::filesystem::path ToFsPath(const wxString& path);
wxString FromFsPath(const std::filesystem::path& path);

// A file name typed without an extension gets `defaultExtension` (".rc" or "rc"), unless a
// file of exactly that name exists: what the user picked from the list is taken as it is.
std::filesystem::path WithDefaultExtension(std::filesystem::path path,
                                           std::string_view defaultExtension);

}  // namespace tavrin::shell::wx
