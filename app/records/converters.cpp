#include "records/converters.h"

#include "records/aztec_code_results.h"
#include "records/barcode_quality_params.h"
#include "records/config_list_info.h"
#include "records/ecc200_quality_params.h"
#include "records/ecc200_results.h"
#include "records/extract_bar_code.h"
#include "records/extract_group_list.h"
#include "records/pdf417_params.h"
#include "records/pdf417_quality_params.h"
#include "records/pdf417_results.h"
#include "records/qr_code_params.h"
#include "records/qr_code_results.h"
#include "records/results.h"
#include "records/sensor_configuration.h"

void DestroyConverters() {
    CConfigListInfo::DestroyInstance();
    CSensorConfiguration::DestroyInstance();
    CPdf417Params::DestroyInstance();
    CQRCodeParams::DestroyInstance();
    CECC200QualityParams::DestroyInstance();
    CExtractGroupList::DestroyInstance();
    CExtractBarCode::DestroyInstance();
    CResults::DestroyInstance();
    CECC200Results::DestroyInstance();
    CPDF417Results::DestroyInstance();
    CQRCodeResults::DestroyInstance();
    CAztecCodeResults::DestroyInstance();
    CPDF417QualityParams::DestroyInstance();
    CBarcodeQualityParams::DestroyInstance();
}
