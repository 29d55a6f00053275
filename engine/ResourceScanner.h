#pragma once

#include <string>
#include <string_view>
#include <vector>

// Lists the dialog resource IDs of a resource script: the first word of every line that looks
// like a dialog declaration ("IDD_ABOUTBOX DIALOG DISCARDABLE 0, 0, 217, 55", or DIALOGEX as
// current resource editors write; see IsDialogDeclaration). Nothing else of the script's
// syntax is interpreted, so a commented-out declaration counts as well.
namespace tavrin {

class CResourceScanner {
public:
    // Empties the list and reads the script at `path`. True when at least one ID was found.
    bool Scan(std::string_view path);

    // Scan on the bytes of a script instead of the file.
    bool ScanBytes(std::string_view bytes);

    // The IDs in file order; an ID declared twice is listed twice.
    const std::vector<std::string>& GetIds() const { return m_ids; }

private:
    std::vector<std::string> m_ids;
};

}  // namespace tavrin
