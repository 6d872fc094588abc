#include "parameter_wire.h"

#include "dravik/comm_status.h"

namespace dravik {

namespace {

using XmlRpc::XmlRpcValue;

const XmlRpcValue* replyElement(const XmlRpcValue& reply, int index, XmlRpcValue::Type type) {
    if (index < 0 || reply.getType() != XmlRpcValue::TypeArray || index >= reply.size()) return nullptr;
    const XmlRpcValue& element = reply.asArray()[static_cast<std::size_t>(index)];
    return element.getType() == type ? &element : nullptr;
}

}  // namespace

int MarshalParameterList(const ParameterList& list, SectionForm form, XmlRpcValue& out) {
    XmlRpcValue array;
    array.setSize(static_cast<int>(list.size()));
    int i = 0;
    for (const ParameterItem& item : list) {
        XmlRpcValue& element = array[i++];
        switch (item.kind) {
            case PARAMETER_VALUE:
                if (item.type == "STRING")
                    element = item.stringValue;
                else if (item.type == "INT")
                    element = static_cast<int>(item.intValue);
                else if (item.type == "DOUBLE")
                    element = item.doubleValue;
                else
                    return COMM_INVALID_ARGUMENT;
                break;
            case PARAMETER_SECTION_BEGIN:
                element = form == SectionForm::Names ? item.name : kSectionBeginMarker;
                break;
            case PARAMETER_SECTION_END:
                element = form == SectionForm::Names ? item.name : kSectionEndMarker;
                break;
            default:
                return COMM_INVALID_ARGUMENT;
        }
    }
    out = std::move(array);
    return COMM_OK;
}

void WriteSectionMarkers(ParameterList& list) {
    for (ParameterItem& item : list) {
        if (item.kind == PARAMETER_SECTION_BEGIN)
            item.stringValue = kSectionBeginMarker;
        else if (item.kind == PARAMETER_SECTION_END)
            item.stringValue = kSectionEndMarker;
    }
}

void FillListFromReply(ParameterList& out, const ParameterList& templateItems, const XmlRpcValue& reply,
                       std::size_t skip) {
    out.clear();
    const std::size_t count = skip < templateItems.size() ? templateItems.size() - skip : 0;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        ParameterItem item = templateItems[i];
        const int index = static_cast<int>(i) + 1;
        if (item.kind == PARAMETER_VALUE) {
            if (item.type == "STRING")
                ReadReplyText(item.stringValue, index, reply);
            else if (item.type == "INT")
                ReadReplyInt(item.intValue, index, reply);
            else
                ReadReplyDouble(item.doubleValue, index, reply);
        } else {
            ReadReplyText(item.name, index, reply);
        }
        out.push_back(std::move(item));
    }
}

int ReadReplyText(std::string& out, int index, const XmlRpcValue& reply) {
    const XmlRpcValue* element = replyElement(reply, index, XmlRpcValue::TypeString);
    if (element == nullptr) return COMM_STATUS_NOT_INT;
    out = element->asString();
    return COMM_OK;
}

int ReadReplyInt(int& out, int index, const XmlRpcValue& reply) {
    const XmlRpcValue* element = replyElement(reply, index, XmlRpcValue::TypeInt);
    if (element == nullptr) return COMM_STATUS_NOT_INT;
    out = element->asInt();
    return COMM_OK;
}

int ReadReplyDouble(double& out, int index, const XmlRpcValue& reply) {
    const XmlRpcValue* element = replyElement(reply, index, XmlRpcValue::TypeDouble);
    if (element == nullptr) return COMM_STATUS_NOT_INT;
    out = element->asDouble();
    return COMM_OK;
}

}  // namespace dravik
