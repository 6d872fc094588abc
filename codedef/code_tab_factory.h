#pragma once
// The family factory of the code tabs: each family registers how its tab is
// made and which command reads its settings. The page asks it by the code
// type's first family bit (ECC 200, PDF417, QR Code, Aztec Code, bar code).
// A family that has not registered yet gets no tab (tab 2 stays empty).
#include <cstdint>
#include <functional>
#include <vector>

#include "code_definition_context.h"

class CodeTab;
class QWidget;

struct CodeTabEntry {
  std::uint8_t family = 0;  // CODE_FLAG_ECC200, CODE_FLAG_PDF417, ...
  int getCommand = 0;       // CMD_GET_ECC200_DATA ...
  // Makes the tab for that code type (QR Code tells Micro QR from QR by it).
  std::function<CodeTab*(CodeDefinitionContext& ctx, int codeType, QWidget* parent)> make;
};

class CodeTabFactory {
public:
  void Register(CodeTabEntry entry);
  const CodeTabEntry* Find(std::uint8_t family) const;
  // The entry of the code type's family; null for type 0 or an unregistered family.
  const CodeTabEntry* ForCodeType(int codeType) const;

private:
  std::vector<CodeTabEntry> entries_;
};

// Every family tab of the program (code_tab_registry.cpp: one line each).
void RegisterCodeTabs(CodeTabFactory& factory);
