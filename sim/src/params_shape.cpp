#include "sim/params_shape.h"

#include <string>

namespace vt::sim {

bool shapedParams(const XmlRpc::XmlRpcValue& params, const char* shape) {
    using XmlRpc::XmlRpcValue;
    const std::string expected(shape);
    const int n = params.getType() == XmlRpcValue::TypeArray ? params.size() : 0;
    if (n != static_cast<int>(expected.size())) return false;
    for (int i = 0; i < n; ++i) {
        const auto type = params[i].getType();
        if (type !=
            (expected[static_cast<std::size_t>(i)] == 'i' ? XmlRpcValue::TypeInt : XmlRpcValue::TypeString))
            return false;
    }
    return true;
}

}  // namespace vt::sim
