// How large a POSIX extended expression grows once compiled: the C
// library copies a repeated part once per repetition, so nested counts
// multiply ("((a{99}){99}){99}" is a million copies, gigabytes of memory).
#pragma once

#include <cstddef>
#include <string_view>

namespace vt::sim {

// Expressions the simulator compiles stay below this many expanded atoms.
inline constexpr std::size_t kMaxExpandedAtoms = 20000;

// The atoms of the expression with every repetition written out, counted up
// to limit + 1 (more is not counted).
std::size_t expandedAtoms(std::string_view expression, std::size_t limit = kMaxExpandedAtoms);

}  // namespace vt::sim
