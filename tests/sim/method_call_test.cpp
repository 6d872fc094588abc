// The simulator's reading of a request body: base64 decoded by its own
// table-driven reader (an update's image is megabytes of it), and the
// parameters around it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/method_call.h"

namespace {

using XmlRpc::XmlRpcValue;
using Bytes = XmlRpcValue::BinaryData;

Bytes pattern(std::size_t n) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<unsigned char>((i * 131 + 7) & 0xFF);
    return b;
}

// Plain base64, one bit at a time: slow and obviously right.
std::string reference(const Bytes& in) {
    static const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned acc = 0;
    int bits = 0;
    for (unsigned char c : in) {
        acc = (acc << 8) | c;
        bits += 8;
        while (bits >= 6) out += alphabet[(acc >> (bits -= 6)) & 63];
    }
    if (bits > 0) out += alphabet[(acc << (6 - bits)) & 63];
    while (out.size() % 4) out += '=';
    return out;
}

std::string text(const Bytes& b) { return std::string(b.begin(), b.end()); }

TEST(RequestBase64, DecodesWhatAPlainEncoderWritesAtEveryTailLength) {
    for (std::size_t n : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 57u, 58u, 59u, 1000u, 100003u}) {
        const Bytes bytes = pattern(n);
        const std::string encoded = reference(bytes);
        EXPECT_EQ(vt::sim::decodeRequestBase64(encoded), bytes) << n << " bytes";
        // The same broken into lines, as senders do.
        std::string lines;
        for (std::size_t i = 0; i < encoded.size(); i += 76) lines += encoded.substr(i, 76) + "\r\n";
        EXPECT_EQ(vt::sim::decodeRequestBase64(lines), bytes) << n << " bytes in lines";
    }
}

TEST(RequestBase64, SkipsBytesOutsideTheAlphabetAndEndsAtTheFirstPad) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"", ""},
        {"QUJD", "ABC"},
        {"QQ==", "A"},
        {"QUI=", "AB"},
        {"QUJ", "AB"},           // no padding
        {"Q", ""},               // six bits make no byte
        {" Q\tU\nJ\r\nD ", "ABC"},
        {"#QU!JD~", "ABC"},      // stray bytes, even inside a quad
        {"QQ==QUJD", "A"},       // nothing after the pad
        {"QUJDRA", "ABCD"},
        {"\xff\x80QUJD", "ABC"},  // bytes above 127
    };
    for (const Case& c : cases) EXPECT_EQ(text(vt::sim::decodeRequestBase64(c.in)), c.out) << '"' << c.in << '"';
}

TEST(RequestBase64, ABase64ParameterAmongOthersKeepsEachItsType) {
    const Bytes image = pattern(70000);
    const std::string body = "<?xml version=\"1.0\"?>\r\n<methodCall><methodName>xmlSWU</methodName>\r\n<params>"
                             "<param><value><i4>5</i4></value></param>"
                             "<param><value><base64>" + reference(image) + "</base64></value></param>"
                             "<param><value><string>after</string></value></param>"
                             "<param><value><base64></base64></value></param>"
                             "</params></methodCall>\r\n";
    std::string method;
    XmlRpcValue params;
    ASSERT_TRUE(vt::sim::parseMethodCall(body, method, params));
    EXPECT_EQ(method, "xmlSWU");
    ASSERT_EQ(params.size(), 4);
    EXPECT_EQ(params[0], XmlRpcValue(5));
    ASSERT_EQ(params[1].getType(), XmlRpcValue::TypeBase64);
    EXPECT_EQ(params[1], XmlRpcValue(image));
    EXPECT_EQ(params[2], XmlRpcValue(std::string("after")));
    EXPECT_EQ(params[3], XmlRpcValue(Bytes{}));
}

}  // namespace
