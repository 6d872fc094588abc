// Builds an XML-RPC array from a list of values, for tests.
#pragma once

#include <initializer_list>

#include "xmlrpc/XmlRpcValue.h"

namespace vt::test {

inline XmlRpc::XmlRpcValue arrayOf(std::initializer_list<XmlRpc::XmlRpcValue> items) {
    XmlRpc::XmlRpcValue a;
    a.setSize(0);
    int i = 0;
    for (const auto& v : items) a[i++] = v;
    return a;
}

}  // namespace vt::test
