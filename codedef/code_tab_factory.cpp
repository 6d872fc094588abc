#include "code_tab_factory.h"

#include "core/code_types.h"

void CodeTabFactory::Register(CodeTabEntry entry) {
  for (CodeTabEntry& e : entries_) {
    if (e.family == entry.family) {
      e = std::move(entry);
      return;
    }
  }
  entries_.push_back(std::move(entry));
}

const CodeTabEntry* CodeTabFactory::Find(std::uint8_t family) const {
  for (const CodeTabEntry& e : entries_)
    if (e.family == family) return &e;
  return nullptr;
}

const CodeTabEntry* CodeTabFactory::ForCodeType(int codeType) const {
  const std::uint8_t family = GetCodeFamilyTab(codeType);
  return family == 0 ? nullptr : Find(family);
}
