// Search limits of each code family (templates 1005, 1008, 1011, 2001,
// 1001) and the group names (1007). Fields stand in item order and bear the
// item names.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "text/fixed_text.h"

struct ECC200Settings {
    int32_t symbol_cols_min = 0;
    int32_t symbol_cols_max = 0;
    int32_t symbol_rows_min = 0;
    int32_t symbol_rows_max = 0;
    Text256 polarity;
    Text256 mirrored;
    int32_t contrast_min = 0;
    int32_t module_size_min = 0;
    int32_t module_size_max = 0;
    Text256 module_gap_col_min;
    Text256 module_gap_col_max;
    Text256 module_gap_row_min;
    Text256 module_gap_row_max;
    double slant_max = 0;
    Text256 module_grid;
    Text256 strict_model;
};

struct PDF417Settings {
    int32_t symbol_cols_min = 0;
    int32_t symbol_cols_max = 0;
    int32_t symbol_rows_min = 0;
    int32_t symbol_rows_max = 0;
    Text256 polarity;
    Text256 mirrored;
    int32_t contrast_min = 0;
    int32_t module_width_min = 0;
    int32_t module_width_max = 0;
    double module_aspect_min = 0;
    double module_aspect_max = 0;
    Text256 strict_model;
};

struct QRCodeSettings {
    int32_t model_type = 0;
    int32_t version_min = 0;
    int32_t version_max = 0;
    int32_t symbol_size_min = 0;
    int32_t symbol_size_max = 0;
    Text256 polarity;
    Text256 mirrored;
    int32_t contrast_min = 0;
    int32_t module_size_min = 0;
    int32_t module_size_max = 0;
    Text256 module_gap_col_min;
    Text256 module_gap_col_max;
    Text256 module_gap_row_min;
    Text256 module_gap_row_max;
    int32_t position_pattern_min = 0;
    Text256 strict_model;
};

struct AztecSettings {
    int32_t symbol_size_min = 0;
    int32_t symbol_size_max = 0;
    Text256 polarity;
    Text256 mirrored;
    int32_t contrast_min = 0;
    int32_t module_size_min = 0;
    int32_t module_size_max = 0;
    Text256 module_gap_col_min;
    Text256 module_gap_col_max;
    Text256 module_gap_row_min;
    Text256 module_gap_row_max;
    Text256 strict_model;
};

// The six items of template 1001, then the composite options of the
// extended configuration.
struct BarCodeSettings {
    double element_size_min_value = 0;
    double element_size_max = 0;
    int32_t element_height_min = 0;
    int32_t min_characters = 0;
    int32_t max_characters = 0;
    int32_t reading_direction = 0;
    int32_t CompositeComponentUsage = 0;
    std::string CompositeComponentSeparator;
};

// The names of the eight configuration groups, as the sensor stores them
// (possibly in the framed form of config_name_codec.h).
struct GroupNames {
    std::array<FixedText<128>, 8> names;
};
