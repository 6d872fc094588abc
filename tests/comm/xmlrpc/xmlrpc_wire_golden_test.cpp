// Request and reply bytes typed by hand. Client and simulator share the
// value code, so a round trip alone would let a fault on both sides pass.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "loopback_address.h"
#include "sim/xmlrpc_server.h"
#include "xmlrpc/XmlRpcClient.h"

using XmlRpc::XmlRpcClient;
using XmlRpc::XmlRpcValue;

namespace {

std::string withHeader(const std::string& host, const std::string& body) {
    return "POST /RPC2 HTTP/1.1\r\n"
           "User-Agent: XMLRPC++ 0.7\r\n"
           "Host: " +
           host +
           "\r\n"
           "Content-Type: text/xml\r\n"
           "Content-length: " +
           std::to_string(body.size()) +
           "\r\n"
           "\r\n" +
           body;
}

class WireGolden : public ::testing::Test {
protected:
    void SetUp() override {
        server.setMethod("xmlConnect", [](const XmlRpcValue&) {
            XmlRpcValue r;
            r[0] = 0;
            r[1] = "\xFC";
            return r;
        });
        server.setMethod("help", [](const XmlRpcValue&) { return XmlRpcValue(0); });
        ASSERT_TRUE(server.start()) << server.error();
        host = server.address() + ":" + std::to_string(server.port());
    }

    vt::sim::XmlRpcServer server{vt::test::uniqueLoopbackAddress()};
    std::string host;
};

TEST_F(WireGolden, RequestWithOneStringParameter) {
    XmlRpcClient client(server.address().c_str(), server.port());
    XmlRpcValue params;
    params[0] = "127.0.0.1";
    XmlRpcValue result;
    ASSERT_TRUE(client.execute("xmlConnect", params, result, 5.0));

    const std::string body =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<methodCall><methodName>xmlConnect</methodName>\r\n"
        "<params><param><value>127.0.0.1</value></param></params></methodCall>\r\n";
    ASSERT_EQ(server.calls().size(), 1u);
    EXPECT_EQ(server.calls()[0].raw, withHeader(host, body));
}

TEST_F(WireGolden, RequestWithoutParametersAndWithEveryScalar) {
    XmlRpcClient client(server.address().c_str(), server.port());
    XmlRpcValue result;
    ASSERT_TRUE(client.execute("help", XmlRpcValue(), result, 5.0));
    XmlRpcValue params;
    params[0] = -7;
    params[1] = 0.125;
    params[2] = false;
    params[3] = "\xC4<";
    ASSERT_TRUE(client.execute("help", params, result, 5.0));

    const std::string noParams =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<methodCall><methodName>help</methodName>\r\n"
        "</methodCall>\r\n";
    const std::string scalars =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<methodCall><methodName>help</methodName>\r\n"
        "<params>"
        "<param><value><i4>-7</i4></value></param>"
        "<param><value><double>0.125000</double></value></param>"
        "<param><value><boolean>0</boolean></value></param>"
        "<param><value>\x84\xC3&lt;</value></param>"
        "</params></methodCall>\r\n";
    auto calls = server.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].raw, withHeader(host, noParams));
    EXPECT_EQ(calls[1].raw, withHeader(host, scalars));
    EXPECT_EQ(calls[1].params[3], XmlRpcValue("\xC4<"));
}

// The simulator's reply to a request typed by hand, read from a plain socket.
TEST_F(WireGolden, SimulatorReplyBytes) {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(server.port());
    inet_pton(AF_INET, server.address().c_str(), &addr.sin_addr);
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);

    const std::string request =
        withHeader(host,
                   "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>xmlConnect</methodName>"
                   "<params><param><value>10.0.0.1</value></param></params></methodCall>\r\n");
    ASSERT_EQ(::send(fd, request.data(), request.size(), MSG_NOSIGNAL), static_cast<ssize_t>(request.size()));

    const std::string body =
        "<?xml version=\"1.0\"?>\r\n"
        "<methodResponse><params><param><value><array><data>"
        "<value><i4>0</i4></value><value>\xBC\xC3</value>"
        "</data></array></value></param></params></methodResponse>\r\n";
    const std::string expected =
        "HTTP/1.1 200 OK\r\nServer: varnis-sim\r\nContent-Type: text/xml\r\n"
        "Content-length: " +
        std::to_string(body.size()) + "\r\n\r\n" + body;
    std::string reply;
    char buf[4096];
    while (reply.size() < expected.size()) {
        pollfd p{fd, POLLIN, 0};
        ASSERT_GT(::poll(&p, 1, 10000), 0) << "no reply";
        ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        ASSERT_GT(n, 0);
        reply.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    EXPECT_EQ(reply, expected);
    ASSERT_EQ(server.calls().size(), 1u);
    EXPECT_EQ(server.calls()[0].params[0], XmlRpcValue("10.0.0.1"));
}

TEST(ReplyGolden, ReadsASensorStyleReply) {
    const std::string reply =
        "<?xml version=\"1.0\"?>\r\n<methodResponse>\r\n <params>\r\n  <param>\r\n"
        "<value><array><data>\n<value><i4>0</i4></value>\n<value><string>V3100</string></value>\n"
        "<value>K7M-\x9F\xC3</value>\n</data></array></value>\n"
        "  </param>\r\n </params>\r\n</methodResponse>\r\n";
    XmlRpcValue result;
    bool fault = true;
    ASSERT_TRUE(XmlRpcClient::parseResponseText(reply, result, fault));
    EXPECT_FALSE(fault);
    ASSERT_EQ(result.size(), 3);
    EXPECT_EQ(result[0], XmlRpcValue(0));
    EXPECT_EQ(result[1], XmlRpcValue("V3100"));
    EXPECT_EQ(result[2], XmlRpcValue("K7M-\xDF"));
}

TEST(ReplyGolden, ReadsAFault) {
    const std::string reply =
        "<?xml version=\"1.0\"?>\n<methodResponse>\n<fault>\n<value><struct>\n"
        "<member>\n<name>faultCode</name>\n<value><int>4</int></value>\n</member>\n"
        "<member>\n<name>faultString</name>\n<value><string>Too many "
        "parameters.</string></value>\n</member>\n"
        "</struct></value>\n</fault>\n</methodResponse>\n";
    XmlRpcValue result;
    bool fault = false;
    ASSERT_TRUE(XmlRpcClient::parseResponseText(reply, result, fault));
    EXPECT_TRUE(fault);
    EXPECT_EQ(result["faultCode"], XmlRpcValue(4));
    EXPECT_EQ(result["faultString"], XmlRpcValue("Too many parameters."));
}

TEST(ReplyGolden, RefusesRepliesWithoutTheirFrame) {
    XmlRpcValue result;
    bool fault = false;
    for (const char* reply : {"<params><param><value><i4>1</i4></value></param></params>",
                              "<methodResponse><value><i4>1</i4></value></methodResponse>",
                              "<methodResponse><params><param><value><i4>x</i4></value></param></params>"}) {
        EXPECT_FALSE(XmlRpcClient::parseResponseText(reply, result, fault)) << reply;
        EXPECT_FALSE(result.valid());
    }
}

}  // namespace
