#pragma once

#include <string>
#include <string_view>
#include <vector>

// The mistakes in a template set that the table's rules make silent: a template or a keyword
// that is never used, a value that came out empty, a misspelt keyword copied into the output
// as it is, a file in an encoding Tavrin cannot read as meant.
namespace tavrin {

struct CheckFinding {
    enum class Kind { kProblem, kNote };

    std::string file;  // the table as named to the check, a template file as the table names it
    int line = 0;      // from 1
    Kind kind = Kind::kProblem;
    // What is wrong, in English with "%s" for each insert: the message ID a front end looks up
    // its user's language with (FormatFinding).
    std::string_view message;
    std::vector<std::string> inserts;  // code page 932
};

// Checks the table at `tablePath` and every template file its templates name (found as in a
// generation: beside the table first, then from the current directory). `tableName` names the table
// in the findings. The findings come in file order (the table first, then the template files as the
// table first names them), each file's in line order. A table that cannot be read gives one finding
// on line 0.
std::vector<CheckFinding> CheckTemplateSet(std::string_view tablePath, std::string_view tableName);

// "FILE:LINE: text", with "note: " before the text of a note; the message and "note: " are
// passed through `translate` when there is one.
std::string FormatFinding(const CheckFinding& finding,
                          std::string_view (*translate)(std::string_view) = nullptr);

}  // namespace tavrin
