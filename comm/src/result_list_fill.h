// Laying a result reply over its record template.
#pragma once

#include "dravik/parameter_list.h"
#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

// Empties `out` and refills it with the template's items, item i taking
// reply element first + i: a value by its type ("STRING" a text, "INT" an
// int, "DOUBLE" a double or an int), a section item a text as its name.
// Elements past the reply's end, and an element of another type than its
// item's, leave the template's default (the templates are our reading of
// the sensor's types: one odd item must not cost the whole reading); extra
// elements are ignored. Always COMM_OK.
int FillResultList(ParameterList& out, const ParameterList& templateItems, const XmlRpc::XmlRpcValue& reply,
                   int first);

}  // namespace dravik
