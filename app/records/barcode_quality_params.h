// Quality parameters of the bar codes: template 2003 (slot 0 and slots 15
// to 22), or 2004 for code types with a composite component (slot 0, 13,
// 14, 15 to 22 and the composite component's 23 to 35).
#pragma once

#include "dravik/parameter_list.h"
#include "records/converter_singleton.h"
#include "records/quality_records.h"

class CBarcodeQualityParams : public ConverterSingleton<CBarcodeQualityParams> {
public:
    // 0, or -1 when any item could not be written.
    int WriteAll(ParameterList& list, const QualitySettings& settings, bool composite) const;
    // Reads the pairs of the same positions; a pair that is missing keeps its
    // slot as it was and makes the result -1.
    int ReadAll(const ParameterList& list, QualitySettings& settings, bool composite) const;

    // appendIt := value in slots 13, 14 and 23 to 35, and in 15 to 22 unless
    // onlyComposite; returns value.
    int SetAllAppendFlags(QualitySettings& settings, bool onlyComposite, int value) const;

    // composite: the code type has a composite component; showComposite: its
    // use is switched on. Only with both are the composite rows shown.
    void BuildTreeMap(QualityTreeMap& map, const QualitySettings& settings, const QualityTextLookup& text,
                      bool composite, bool showComposite) const;
    // With composite, a composite row that the map lacks turns its slot off.
    void ReadTreeMap(const QualityTreeMap& map, QualitySettings& settings, bool composite) const;

private:
    friend class ConverterSingleton<CBarcodeQualityParams>;
    CBarcodeQualityParams() = default;
};
