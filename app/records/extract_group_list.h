// The group list (template 1007): the names of the eight configuration
// groups. The program never writes this list.
#pragma once

#include "dravik/parameter_list.h"
#include "records/code_type_records.h"
#include "records/converter_singleton.h"

class CExtractGroupList : public ConverterSingleton<CExtractGroupList> {
public:
    // Returns 0, or -1 when a name is missing or not a text (those keep their
    // values). A name longer than its field is cut at a UTF-8 boundary.
    int Extract(const ParameterList& list, GroupNames& groups) const;

private:
    friend class ConverterSingleton<CExtractGroupList>;
    CExtractGroupList() = default;
};
