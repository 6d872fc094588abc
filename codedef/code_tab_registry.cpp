// One registration per code family; a family's tab joins here.
#include "code_tab_factory.h"
#include "config_code_def_tab3_ecc200.h"
#include "config_code_def_tab3_aztec.h"
#include "config_code_def_tab3_pdf417.h"
#include "config_code_def_tab3_pharma_etc.h"
#include "config_code_def_tab3_qr.h"
#include "core/code_types.h"
#include "core/sensor_command.h"

void RegisterCodeTabs(CodeTabFactory& factory) {
  factory.Register({CODE_FLAG_ECC200, CMD_GET_ECC200_DATA, [](CodeDefinitionContext& ctx, int, QWidget* parent) {
                      return static_cast<CodeTab*>(new CConfigCodeDefTab3ECC200(ctx, parent));
                    }});
  factory.Register({CODE_FLAG_PDF417, CMD_GET_PDF417_DATA, [](CodeDefinitionContext& ctx, int, QWidget* parent) {
                      return static_cast<CodeTab*>(new CConfigCodeDefTab3PDF417(ctx, parent));
                    }});
  factory.Register({CODE_FLAG_QR, CMD_GET_QRCODE_DATA, [](CodeDefinitionContext& ctx, int codeType, QWidget* parent) {
                      return static_cast<CodeTab*>(new CConfigCodeDefTab3QR(ctx, codeType, parent));
                    }});
  factory.Register({CODE_FLAG_AZTEC, CMD_GET_AZTEC_DATA, [](CodeDefinitionContext& ctx, int, QWidget* parent) {
                      return static_cast<CodeTab*>(new CConfigCodeDefTab3Aztec(ctx, parent));
                    }});
  factory.Register({CODE_FLAG_BARCODE, CMD_GET_BARCODE_DATA, [](CodeDefinitionContext& ctx, int codeType, QWidget* parent) {
                      return static_cast<CodeTab*>(new CConfigCodeDefTab3PharmaEtc(ctx, codeType, parent));
                    }});
}
