#include "records/pdf417_params.h"

#include <iterator>

#include "records/record_fields.h"

namespace {

using R = PDF417Settings;
constexpr RecordField<R> kItems[] = {
    {0, "symbol_cols_min", &R::symbol_cols_min},
    {1, "symbol_cols_max", &R::symbol_cols_max},
    {2, "symbol_rows_min", &R::symbol_rows_min},
    {3, "symbol_rows_max", &R::symbol_rows_max},
    {4, "polarity", &R::polarity},
    {5, "mirrored", &R::mirrored},
    {6, "contrast_min", &R::contrast_min},
    {7, "module_width_min", &R::module_width_min},
    {8, "module_width_max", &R::module_width_max},
    {9, "module_aspect_min", &R::module_aspect_min},
    {10, "module_aspect_max", &R::module_aspect_max},
    {11, "strict_model", &R::strict_model},
};

}  // namespace

int CPdf417Params::Extract(const ParameterList& list, R& settings) const {
    return ReadFields(list, std::size(kItems), kItems, settings);
}

int CPdf417Params::WriteParams(ParameterList& list, const R& settings) const {
    return WriteFields(list, std::size(kItems), kItems, settings);
}
