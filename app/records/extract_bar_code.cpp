#include "records/extract_bar_code.h"

#include <iterator>

#include "records/record_fields.h"

namespace {

using R = BarCodeSettings;
constexpr RecordField<R> kItems[] = {
    {0, "element_size_min_value", &R::element_size_min_value},
    {1, "element_size_max", &R::element_size_max},
    {2, "element_height_min", &R::element_height_min},
    {3, "min_characters", &R::min_characters},
    {4, "max_characters", &R::max_characters},
    {5, "reading_direction", &R::reading_direction},
};

}  // namespace

int CExtractBarCode::Extract(const ParameterList& list, R& settings) const {
    return ReadFields(list, std::size(kItems), kItems, settings);
}

int CExtractBarCode::WriteParams(ParameterList& list, const R& settings) const {
    return WriteFields(list, std::size(kItems), kItems, settings);
}
