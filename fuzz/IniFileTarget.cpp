// The INI reader and writer: a value stored under any section and key comes back exactly,
// or the writer refuses it; the file around it parses as before.
#include <optional>
#include <string>
#include <utility>

#include "engine/IniFile.h"
#include "fuzz/FuzzTargets.h"
#include "platform/TextFile.h"

namespace tavrin::fuzz {

int FuzzIniFile(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> fields = SplitFields(data, size, 4);
    const std::string_view section = fields[0];
    const std::string_view key = fields[1];
    const std::string_view value = fields[2];
    const IniDocument document(platform::DecodeTextMode(fields[3]));

    std::vector<IniLine> lines;
    int headerLine = 0;
    document.ReadSectionLines(section, lines, headerLine);
    document.ReadString(section, key, "");

    const std::optional<std::string> written = document.WriteString(section, key, value);
    if (!written) {
        return 0;
    }
    // Through the file's own encoding, as the settings file goes to disk and back.
    const IniDocument reread(platform::DecodeTextMode(platform::EncodeTextMode(*written)));
    Check(reread.ReadString(section, key, "\x01missing") == value, "a written value reads back");
    std::optional<std::string> again = reread.WriteString(section, key, value);
    Check(again && IniDocument(std::move(*again)).ReadString(section, key, "\x01missing") == value,
          "writing the same value again keeps it");
    return 0;
}

}  // namespace tavrin::fuzz
