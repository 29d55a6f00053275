#pragma once

#include <string>

namespace tavrin::bench {

// A resource script as a resource editor writes it: dialogs of about twenty lines each
// (DIALOGEX and DIALOG), string tables and menus between them, code page 932 text in
// captions, lines padded to about 80 bytes. The same every time.
std::string MakeResourceScript(int lines);

// A template table with `templates` templates, each with its section of six keywords.
std::string MakeTemplateTable(int templates);

}  // namespace tavrin::bench
