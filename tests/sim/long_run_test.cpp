// The interactive simulator runs for hours: a thousand software updates
// leave its memory where it was.
#include <gtest/gtest.h>

#include <malloc.h>

#include "loopback_address.h"
#include "sim/update_methods.h"
#include "sim/xmlrpc_server.h"
#include "xmlrpc/XmlRpcClient.h"

namespace {

// Bytes the process holds in live allocations, over every malloc arena.
// The resident size is not used: with transparent huge pages or a
// fragmented heap it grows without anything being kept.
std::size_t liveKiB() {
    const struct mallinfo2 info = mallinfo2();
    return (info.uordblks + info.hblkhd) / 1024;
}

TEST(LongRun, AThousandUpdatesLeaveTheMemoryFlat) {
    vt::sim::ServerLimits limits;
    limits.maxLoggedCalls = 100;
    limits.loggedRequestBytes = 64 * 1024;
    vt::sim::XmlRpcServer server(vt::test::uniqueLoopbackAddress(), 0, limits);
    vt::sim::UpdateMethods methods;
    methods.setImagesKept(1);
    methods.install(server);
    ASSERT_TRUE(server.start()) << server.error();
    XmlRpc::XmlRpcClient client(server.address().c_str(), server.port());
    XmlRpc::XmlRpcValue image(XmlRpc::XmlRpcValue::BinaryData(128 * 1024, 0x5A));
    XmlRpc::XmlRpcValue params;
    params[0] = image;
    auto update = [&] {
        XmlRpc::XmlRpcValue result;
        return client.execute("xmlSWU", params, result, 10.0) && result[0] == XmlRpc::XmlRpcValue(0);
    };
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(update());
    const std::size_t before = liveKiB();
    for (int i = 0; i < 900; ++i) ASSERT_TRUE(update());
    const std::size_t after = liveKiB();

    EXPECT_EQ(server.calls().size(), 100u);
    EXPECT_TRUE(server.calls().back().raw.empty()) << "a large call is logged as size and digest";
    EXPECT_EQ(methods.images().size(), 1u);
    // Kept whole, 900 more would be about 400 MB.
    EXPECT_LT(after, before + 32 * 1024) << before << " KiB, then " << after << " KiB";
}

}  // namespace
