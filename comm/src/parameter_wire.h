// Parameter lists on the wire: a list goes out as one flat XML-RPC array,
// and a reply array is laid over a record template to come back as a list.
#pragma once

#include <cstddef>
#include <string>

#include "dravik/parameter_list.h"
#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

// How section items go out: as the two marker strings, or (quality lists) as
// their own names.
enum class SectionForm { Markers, Names };

// Fills `out` with one element per item, in list order: a value by its type,
// a section item by `form`. Names of value items are not sent.
// COMM_INVALID_ARGUMENT, `out` left as it was, when an item has another kind
// or a value item another type text: an empty element would shift every
// later value on the sensor's side. Else COMM_OK.
int MarshalParameterList(const ParameterList& list, SectionForm form, XmlRpc::XmlRpcValue& out);

// Writes the marker text into `stringValue` of every section item, as the
// setters leave the caller's list.
void WriteSectionMarkers(ParameterList& list);

// Empties `out` and refills it from `templateItems` less its last `skip`
// items, element i + 1 of `reply` over template item i (element 0 is the
// status). A value takes the element when its type matches ("STRING" text,
// "INT" int, any other type double); a section item takes a text element as
// its name. Missing or mistyped elements keep the template's default; extra
// elements are ignored.
void FillListFromReply(ParameterList& out, const ParameterList& templateItems,
                       const XmlRpc::XmlRpcValue& reply, std::size_t skip);

// Element `index` of a reply array: COMM_OK and the value when it exists
// with that type, else COMM_STATUS_NOT_INT and `out` unchanged.
int ReadReplyText(std::string& out, int index, const XmlRpc::XmlRpcValue& reply);
int ReadReplyInt(int& out, int index, const XmlRpc::XmlRpcValue& reply);
int ReadReplyDouble(double& out, int index, const XmlRpc::XmlRpcValue& reply);

}  // namespace dravik
