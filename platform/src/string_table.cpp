#include "platform/string_table.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "platform/utf.h"

namespace vt {
namespace {

// Resolves \n, \t, \r and \\; any other escape is an error.
bool unescape(std::string_view raw, std::string& out, std::string& error) {
    out.clear();
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\') {
            out += raw[i];
            continue;
        }
        if (++i == raw.size()) {
            error = "line ends in a lone backslash";
            return false;
        }
        switch (raw[i]) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case '\\': out += '\\'; break;
            default: error = std::string("unknown escape \\") + raw[i]; return false;
        }
    }
    return true;
}

}  // namespace

StringTable::LoadResult StringTable::load(const std::filesystem::path& file) {
    texts_.clear();
    std::ifstream in(file, std::ios::binary);
    if (!in) return {false, 0, "cannot open " + file.string()};
    std::ostringstream buffer;
    buffer << in.rdbuf();
    LoadResult result = parse(buffer.str());
    if (!result.ok) result.error = file.string() + ": " + result.error;
    return result;
}

StringTable::LoadResult StringTable::parse(std::string_view text) {
    texts_.clear();
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int lineNo = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;

        auto fail = [&](std::string why) {
            texts_.clear();
            return LoadResult{false, lineNo, "line " + std::to_string(lineNo) + ": " + why};
        };
        std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) return fail("expected ID=TEXT");
        std::string_view idText = line.substr(0, eq);
        uint32_t id = 0;
        auto [ptr, ec] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
        if (idText.empty() || ec != std::errc() || ptr != idText.data() + idText.size())
            return fail("the id is not a decimal number from 0 to 4294967295");
        std::string_view raw = line.substr(eq + 1);
        if (!isValidUtf8(raw)) return fail("the text is not valid UTF-8");
        std::string value, error;
        if (!unescape(raw, value, error)) return fail(error);
        if (!texts_.emplace(id, std::move(value)).second)
            return fail("id " + std::to_string(id) + " appears twice");
    }
    return {true, 0, {}};
}

std::optional<std::string_view> StringTable::get(uint32_t id) const {
    auto it = texts_.find(id);
    if (it == texts_.end()) return std::nullopt;
    return std::string_view(it->second);
}

}  // namespace vt
