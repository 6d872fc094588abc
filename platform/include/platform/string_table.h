// A table of texts by numeric id: the stand-in for the string resources of
// the outside libraries. The file syntax is described in docs/resources.md.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

class StringTable {
public:
    struct LoadResult {
        bool ok = false;
        int line = 0;       // 1-based line of the first error, 0 when none or the file
        std::string error;  // empty when ok
    };

    // Replaces the table with the file's contents. On failure the table is empty.
    LoadResult load(const std::filesystem::path& file);
    LoadResult parse(std::string_view text);

    // The text with this id, or nothing when the table has no such id.
    std::optional<std::string_view> get(uint32_t id) const;
    std::size_t size() const { return texts_.size(); }

private:
    std::map<uint32_t, std::string> texts_;
};

}  // namespace vt
