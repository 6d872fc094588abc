#include "records/extract_group_list.h"

#include "records/record_fields.h"

int CExtractGroupList::Extract(const ParameterList& list, GroupNames& groups) const {
    return ReadInOrder(list, groups.names);
}
