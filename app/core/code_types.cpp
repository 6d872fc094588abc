#include "core/code_types.h"

CodeFamilyCommands GetCodeFamilyCommands(int codeType) {
  CodeFamilyCommands commands;
  switch (GetCodeFamilyTab(codeType)) {
    case CODE_FLAG_ECC200: commands.getData = 10143; commands.setData = 10144; break;
    case CODE_FLAG_PDF417: commands.getData = 10145; commands.setData = 10146; break;
    case CODE_FLAG_QR: commands.getData = 10147; commands.setData = 10148; break;
    case CODE_FLAG_AZTEC: commands.getData = 10182; commands.setData = 10181; break;
    case CODE_FLAG_BARCODE: commands.getData = 10150; commands.setData = 10151; break;
    default: break;
  }
  // The quality read has an order of its own: the shared 2D group first.
  const std::uint8_t flags = CodeTypeFlagsOf(codeType);
  if (flags & kCodeFlagsEcc200QrAztec)
    commands.getQuality = 10153;
  else if (flags & CODE_FLAG_PDF417)
    commands.getQuality = 10179;
  else if (flags & CODE_FLAG_BARCODE)
    commands.getQuality = 10177;
  return commands;
}
