// Laying a result reply over its record template.
#pragma once

#include "dravik/parameter_list.h"
#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

// Empties `out` and refills it with the template's items, item i taking
// reply element first + i: a value by its type ("STRING" a text, "INT" an
// int, "DOUBLE" a double or an int), a section item a text as its name.
// Elements past the reply's end leave the template's default; extra
// elements are ignored. An element of another type makes the reply
// malformed: COMM_STATUS_NOT_INT, and `out` is left empty.
int FillResultList(ParameterList& out, const ParameterList& templateItems, const XmlRpc::XmlRpcValue& reply,
                   int first);

}  // namespace dravik
