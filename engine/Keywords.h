#pragma once

#include <string_view>

// The keywords whose values come from the request rather than from the template table. A
// template declares the ones it uses; only declared ones are replaced.
namespace tavrin::keywords {

inline constexpr std::string_view kBasicClassName = "$$SNAME$$";
inline constexpr std::string_view kDerivedClassName = "$$DNAME$$";
inline constexpr std::string_view kHeaderFileName = "$$HFILE$$";
inline constexpr std::string_view kSourceFileName = "$$CPPFILE$$";
// Declaring it makes the front ends ask for a dialog resource ID, and the command require one.
inline constexpr std::string_view kDialogResourceId = "$$DDID$$";

// Keywords every template has without declaring them (engine/BuiltInKeywords.h gives their
// values). A template that declares one itself has its own value in its place.
inline constexpr std::string_view kDate = "$$DATE$$";  // the generation's date, YYYY/MM/DD
inline constexpr std::string_view kYear = "$$YEAR$$";
inline constexpr std::string_view kUser = "$$USER$$";  // the account name
inline constexpr std::string_view kBuiltIn[] = {kDate, kYear, kUser};

}  // namespace tavrin::keywords
