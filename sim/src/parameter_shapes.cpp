#include "sim/parameter_shapes.h"

namespace vt::sim {

using XmlRpc::XmlRpcValue;

std::string repeatShape(std::string_view unit, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += unit;
    return out;
}

namespace {

bool isText(const XmlRpcValue& v, const char* text) {
    return v.getType() == XmlRpcValue::TypeString && v.asString() == text;
}

bool matchesLetter(const XmlRpcValue& v, char letter) {
    switch (letter) {
        case 'I':
            return v.getType() == XmlRpcValue::TypeInt;
        case 'D':
            return v.getType() == XmlRpcValue::TypeDouble;
        case 'S':
            return v.getType() == XmlRpcValue::TypeString;
        case '[':
            return isText(v, "_LABEL_STRING_CONTENT_468531");
        case ']':
            return isText(v, "_EOS_STRING_CONTENT_54978654");
        default:
            return false;
    }
}

}  // namespace

bool matchesShape(const XmlRpcValue& params, std::string_view shape, int trailingEnds) {
    if (params.getType() != XmlRpcValue::TypeArray) return false;
    if (params.size() != static_cast<int>(shape.size()) + trailingEnds) return false;
    const auto& elements = params.asArray();
    for (std::size_t pos = 0; pos < elements.size(); ++pos)
        if (!matchesLetter(elements[pos], pos < shape.size() ? shape[pos] : ']')) return false;
    return true;
}

XmlRpcValue leadingElements(const XmlRpcValue& array, int n) {
    XmlRpcValue out;
    out.setSize(n);
    for (int i = 0; i < n && i < array.size(); ++i) out[i] = array[i];
    return out;
}

}  // namespace vt::sim
