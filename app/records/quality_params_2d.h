// What the two quality converters of the 2D families share: the family's
// template decides every position, the operations are the same.
#pragma once

#include "dravik/parameter_list.h"
#include "records/converter_singleton.h"
#include "records/quality_records.h"
#include "records/quality_slots.h"

// Converter provides `static const QualityTemplate& Template()`.
template <class Converter>
class QualityParams2D : public ConverterSingleton<Converter> {
public:
    // Writes the family's slots; 0, or -1 when any item could not be written.
    int WriteAll(ParameterList& list, const QualitySettings& settings) const {
        return WriteQualityPairs(list, Converter::Template(), settings);
    }

    // Reads the family's slots; 0, or -1 when any pair was missing or not an INT.
    int ReadAll(const ParameterList& list, QualitySettings& settings) const {
        return ReadQualityPairs(list, Converter::Template(), settings);
    }

    // One parameter: "append_it" at appendItPos and "grade" after it. Also
    // reads a code's quality result, which has its family's layout.
    int ReadPair(const ParameterList& list, int appendItPos, QualityPair& pair) const {
        return ReadQualityPair(list, appendItPos, pair);
    }

    // One row per parameter but the overall grade, all at level 1.
    void BuildTreeMap(QualityTreeMap& map, const QualitySettings& settings,
                      const QualityTextLookup& text) const {
        BuildQualityRows(map, Converter::Template().slots, settings, text);
    }

    void ReadTreeMap(const QualityTreeMap& map, QualitySettings& settings) const {
        ReadQualityRows(map, Converter::Template().slots, settings);
    }
};
