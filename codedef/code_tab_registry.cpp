// One registration per code family; a family's tab joins here.
#include "code_tab_factory.h"
#include "config_code_def_tab3_ecc200.h"
#include "config_code_def_tab3_pdf417.h"
#include "core/code_types.h"
#include "core/sensor_command.h"

void RegisterCodeTabs(CodeTabFactory& factory) {
  factory.Register({CODE_FLAG_ECC200, CMD_GET_ECC200_DATA, [](CodeDefinitionContext& ctx, int, QWidget* parent) {
                      return static_cast<CodeTab*>(new CConfigCodeDefTab3ECC200(ctx, parent));
                    }});
  factory.Register({CODE_FLAG_PDF417, CMD_GET_PDF417_DATA, [](CodeDefinitionContext& ctx, int, QWidget* parent) {
                      return static_cast<CodeTab*>(new CConfigCodeDefTab3PDF417(ctx, parent));
                    }});
}
