// Reads the body of an XML-RPC request: the method name and each parameter.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "xmlrpc/XmlRpcValue.h"

namespace vt::sim {

// params becomes an array, one element per parameter. False when the body
// is not a method call.
bool parseMethodCall(std::string_view body, std::string& method, XmlRpc::XmlRpcValue& params);

// Base64 as requests carry it: line breaks and other bytes outside the
// alphabet are skipped, the first '=' ends the data.
XmlRpc::XmlRpcValue::BinaryData decodeRequestBase64(std::string_view text);
// The same into a buffer of at least decodedSizeBound(text.size()) bytes;
// returns the bytes written.
constexpr std::size_t decodedSizeBound(std::size_t textSize) { return textSize / 4 * 3 + 3; }
std::size_t decodeRequestBase64(std::string_view text, unsigned char* into);

}  // namespace vt::sim
