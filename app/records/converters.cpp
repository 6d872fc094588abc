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

void CreateConverters() {
    CConfigListInfo::GetInstance();
    CSensorConfiguration::GetInstance();
    CPdf417Params::GetInstance();
    CQRCodeParams::GetInstance();
    CECC200QualityParams::GetInstance();
    CExtractGroupList::GetInstance();
    CExtractBarCode::GetInstance();
    CResults::GetInstance();
    CECC200Results::GetInstance();
    CPDF417Results::GetInstance();
    CQRCodeResults::GetInstance();
    CAztecCodeResults::GetInstance();
    CPDF417QualityParams::GetInstance();
    CBarcodeQualityParams::GetInstance();
}

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
