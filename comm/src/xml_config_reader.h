// Reads a record template (XML text) into a list of typed default items.
#pragma once

#include <string_view>

#include "dravik/comm_status.h"
#include "dravik/parameter_list.h"

namespace dravik {

// Name of the end item that closes every level of a template.
inline constexpr const char* kTemplateLevelEnd = "-";

// An element with an attribute is a value item: its first attribute's value is
// the type ("INT", "DOUBLE", "STRING") and its text the default. An element
// without attributes is a section: a begin item, its children, then an end
// item named "-". Every level, the root's included, ends with such an end item.
//
// Only element nodes count; white space, comments and other nodes between them
// are skipped wherever they stand.
class CXmlConfigReader {
public:
    // 0, or COMM_TEMPLATE_NOT_PARSED when the text is not well-formed XML with a
    // root element. On success the list holds exactly the template's items;
    // on failure it is left as it was. Safe to call from several threads.
    int Read(std::string_view templateText, ParameterList& out) const;
};

}  // namespace dravik
