// Our client against Python's standard XML-RPC server: every value type in
// ASCII goes there and back unchanged, and a fault arrives as one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "child_process.h"
#include "loopback_address.h"
#include "xmlrpc/XmlRpcClient.h"

using XmlRpc::XmlRpcClient;
using XmlRpc::XmlRpcDateTime;
using XmlRpc::XmlRpcValue;

namespace {

TEST(Interop, EveryValueTypeRoundTripsThroughPython) {
    const std::string address = vt::test::uniqueLoopbackAddress();
    vt::test::ChildProcess peer({"python3", VT_SOURCE_DIR "/tests/comm/xmlrpc/python_peer.py", address});
    const int port = std::atoi(peer.readLine().c_str());
    ASSERT_GT(port, 0) << "python3 did not start its server";
    XmlRpcClient client(address.c_str(), port);

    XmlRpcValue params;
    params[0] = 42;
    params[1] = true;
    params[2] = -1234.5;
    params[3] = "plain <text> & 'quotes'";
    params[4] = XmlRpcDateTime{2026, 12, 10, 11, 52, 30};
    params[5] = XmlRpcValue(XmlRpcValue::BinaryData{0, 1, 2, 0xFE, 0xFF, 'x'});
    params[6][0] = 1;
    params[6][1] = "two";
    params[7]["name"] = "sensor";
    params[7]["count"] = 3;
    params[8] = "";

    XmlRpcValue result;
    // Python closes the connection after every reply: the second call shows
    // the client reconnecting on its own.
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(client.execute("echo", params, result, 10.0));
        EXPECT_FALSE(client.isFault());
        EXPECT_EQ(result, params) << result.toXml();
    }

    ASSERT_TRUE(client.execute("fail", XmlRpcValue(), result, 10.0));
    EXPECT_TRUE(client.isFault());
    EXPECT_EQ(result["faultCode"], XmlRpcValue(7));
    EXPECT_EQ(result["faultString"], XmlRpcValue("broken on purpose"));
}

}  // namespace
