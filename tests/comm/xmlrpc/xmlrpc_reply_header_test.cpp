// Where a reply's header ends and how long its body is.
#include <gtest/gtest.h>

#include "xmlrpc/XmlRpcReplyHeader.h"

using XmlRpc::scanReplyHeader;
using Status = XmlRpc::XmlRpcReplyHeader::Status;

namespace {

struct HeaderCase {
    const char* name;
    std::string header;
    Status status;
    long long length;
};

class ReplyHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(ReplyHeader, Scans) {
    auto r = scanReplyHeader(GetParam().header);
    EXPECT_EQ(r.status, GetParam().status);
    if (GetParam().status == Status::Complete) {
        EXPECT_EQ(r.contentLength, GetParam().length);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplyHeader,
    ::testing::Values(
        HeaderCase{"usual", "HTTP/1.1 200 OK\r\nContent-length: 12\r\n\r\nbody", Status::Complete, 12},
        HeaderCase{"lower_case", "HTTP/1.1 200 OK\r\ncontent-length: 7\r\n\r\n", Status::Complete, 7},
        HeaderCase{"mixed_case", "HTTP/1.0 200 OK\r\nCONTENT-LENGTH: 3\r\n\r\n", Status::Complete, 3},
        HeaderCase{"bare_line_feeds", "HTTP/1.1 200 OK\nContent-length: 5\n\nabc", Status::Complete, 5},
        HeaderCase{"not_yet_complete", "HTTP/1.1 200 OK\r\nContent-length: 5\r\n", Status::Incomplete, 0},
        HeaderCase{"no_length", "HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n\r\n", Status::NoLength, 0},
        HeaderCase{"length_only_in_body", "HTTP/1.1 200 OK\r\n\r\nContent-length: 5", Status::NoLength, 0},
        HeaderCase{"zero", "HTTP/1.1 200 OK\r\nContent-length: 0\r\n\r\n", Status::InvalidLength, 0},
        HeaderCase{"negative", "HTTP/1.1 200 OK\r\nContent-length: -4\r\n\r\n", Status::InvalidLength, 0},
        HeaderCase{"not_a_number", "HTTP/1.1 200 OK\r\nContent-length: x\r\n\r\n", Status::InvalidLength, 0},
        HeaderCase{"at_the_cap", "HTTP/1.1 200 OK\r\nContent-length: 67108864\r\n\r\n", Status::Complete,
                   67108864},
        HeaderCase{"above_the_cap", "HTTP/1.1 200 OK\r\nContent-length: 67108865\r\n\r\n",
                   Status::InvalidLength, 0},
        HeaderCase{"overflowing", "HTTP/1.1 200 OK\r\nContent-length: 99999999999999999999999\r\n\r\n",
                   Status::InvalidLength, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReplyHeaderBody, StartsAfterTheBlankLine) {
    std::string reply = "HTTP/1.1 200 OK\r\nContent-length: 4\r\n\r\nbody";
    auto r = scanReplyHeader(reply);
    EXPECT_EQ(reply.substr(r.bodyOffset), "body");
}

}  // namespace
