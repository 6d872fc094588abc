// Reading what a test made: whole files, a program's output, UTF-16 files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vt::test {

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What the shell command writes to its standard output.
inline std::string runCommand(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
    return out;
}

// Little-endian UTF-16 bytes as text (a byte-order mark stays in it).
inline std::u16string utf16LeText(const std::string& bytes) {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8);
    return text;
}

// ASCII text as the little-endian UTF-16 bytes a page holds it in.
inline std::string utf16LeBytes(const std::string& ascii) {
    std::string bytes;
    for (const char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
}

}  // namespace vt::test
