#include "result_list_fill.h"

#include "dravik/comm_status.h"

namespace dravik {

using XmlRpc::XmlRpcValue;

namespace {

// False (and the item untouched) when the element is not of the item's type.
bool take(ParameterItem& item, const XmlRpcValue& element) {
    if (item.kind == PARAMETER_SECTION_BEGIN || item.kind == PARAMETER_SECTION_END) {
        if (element.getType() != XmlRpcValue::TypeString) return false;
        item.name = element.asString();
        return true;
    }
    if (item.type == "STRING") {
        if (element.getType() != XmlRpcValue::TypeString) return false;
        item.stringValue = element.asString();
    } else if (item.type == "INT") {
        if (element.getType() != XmlRpcValue::TypeInt) return false;
        item.intValue = element.asInt();
    } else if (item.type == "DOUBLE") {
        if (element.getType() == XmlRpcValue::TypeDouble)
            item.doubleValue = element.asDouble();
        else if (element.getType() == XmlRpcValue::TypeInt)
            item.doubleValue = element.asInt();
        else
            return false;
    }
    return true;
}

}  // namespace

int FillResultList(ParameterList& out, const ParameterList& templateItems, const XmlRpcValue& reply, int first) {
    out.clear();
    const int size = reply.getType() == XmlRpcValue::TypeArray ? reply.size() : 0;
    ParameterList filled = templateItems;
    for (std::size_t i = 0; i < filled.size(); ++i) {
        const int element = first + static_cast<int>(i);
        if (element >= size) break;
        take(filled[i], reply.asArray()[static_cast<std::size_t>(element)]);
    }
    out = std::move(filled);
    return COMM_OK;
}

}  // namespace dravik
