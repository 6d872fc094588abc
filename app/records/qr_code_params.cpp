#include "records/qr_code_params.h"

#include <iterator>

#include "records/record_fields.h"

namespace {

using R = QRCodeSettings;
constexpr RecordField<R> kItems[] = {
    {0, "model_type", &R::model_type},
    {1, "version_min", &R::version_min},
    {2, "version_max", &R::version_max},
    {3, "symbol_size_min", &R::symbol_size_min},
    {4, "symbol_size_max", &R::symbol_size_max},
    {5, "polarity", &R::polarity},
    {6, "mirrored", &R::mirrored},
    {7, "contrast_min", &R::contrast_min},
    {8, "module_size_min", &R::module_size_min},
    {9, "module_size_max", &R::module_size_max},
    {10, "module_gap_col_min", &R::module_gap_col_min},
    {11, "module_gap_col_max", &R::module_gap_col_max},
    {12, "module_gap_row_min", &R::module_gap_row_min},
    {13, "module_gap_row_max", &R::module_gap_row_max},
    {14, "position_pattern_min", &R::position_pattern_min},
    {15, "strict_model", &R::strict_model},
};

}  // namespace

int CQRCodeParams::Extract(const ParameterList& list, R& settings) const {
    return ReadFields(list, std::size(kItems), kItems, settings);
}

int CQRCodeParams::WriteParams(ParameterList& list, const R& settings) const {
    return WriteFields(list, std::size(kItems), kItems, settings);
}
