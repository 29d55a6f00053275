#pragma once

namespace tavrin::shell::wx {

// Gives the toolkit the user's locale and its own message catalog in the user's language, so
// that what it writes itself (the buttons of the message boxes) is Japanese for a Japanese
// user. Called once, when the toolkit has started.
void UseUserLanguageInToolkit();

}  // namespace tavrin::shell::wx
