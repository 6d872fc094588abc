// Reading back a .tar.gz that the library wrote, with libarchive.
#pragma once

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

namespace vt::test {

// name -> bytes of every entry of a .tar.gz
inline std::map<std::string, std::string> readArchive(const std::filesystem::path& path) {
    std::map<std::string, std::string> entries;
    archive* in = archive_read_new();
    archive_read_support_filter_gzip(in);
    archive_read_support_format_tar(in);
    EXPECT_EQ(archive_read_open_filename(in, path.c_str(), 16384), ARCHIVE_OK);
    archive_entry* entry = nullptr;
    while (archive_read_next_header(in, &entry) == ARCHIVE_OK) {
        std::string bytes(static_cast<std::size_t>(archive_entry_size(entry)), '\0');
        if (!bytes.empty()) {
            EXPECT_EQ(archive_read_data(in, bytes.data(), bytes.size()), la_ssize_t(bytes.size()));
        }
        entries[archive_entry_pathname(entry)] = bytes;
    }
    archive_read_free(in);
    return entries;
}

}  // namespace vt::test
