// Parse and write of a 640 x 480 image reply (base64) and of a 200-element
// parameter array, ours against xmlrpc-c on the same texts. Compares MB/s
// of ours beside xmlrpc-c's.
#include <benchmark/benchmark.h>

#include <string>
#include <xmlrpc-c/base.hpp>
#include <xmlrpc-c/xml.hpp>

#include "comparison.h"
#include "xmlrpc/XmlRpcClient.h"
#include "xmlrpc/XmlRpcValue.h"

using XmlRpc::XmlRpcValue;

namespace {

constexpr int kImageBytes = 640 * 480;
constexpr int kArrayElements = 200;

std::string replyText(const XmlRpcValue& v) {
    return "<?xml version=\"1.0\"?>\r\n<methodResponse><params><param>" + v.toXml() +
           "</param></params></methodResponse>\r\n";
}

XmlRpcValue imageValue() {
    XmlRpcValue::BinaryData pixels(kImageBytes);
    for (int i = 0; i < kImageBytes; ++i) pixels[i] = static_cast<unsigned char>((i * 7 + i / 640) & 0xFF);
    XmlRpcValue v;
    v[0] = 0;
    v[1] = XmlRpcValue(std::move(pixels));
    return v;
}

// Like a parameter list: ints, doubles, texts and section markers.
XmlRpcValue arrayValue() {
    XmlRpcValue v;
    v[0] = 0;
    for (int i = 1; i < kArrayElements; ++i) {
        switch (i % 4) {
            case 0:
                v[i] = i * 13;
                break;
            case 1:
                v[i] = i * 0.5;
                break;
            case 2:
                v[i] = "Parameter text " + std::to_string(i);
                break;
            default:
                v[i] = i % 8 == 3 ? "_LABEL_STRING_CONTENT_468531" : "_EOS_STRING_CONTENT_54978654";
        }
    }
    return v;
}

xmlrpc_c::value toXmlrpcC(const XmlRpcValue& v) {
    switch (v.getType()) {
        case XmlRpcValue::TypeInt:
            return xmlrpc_c::value_int(v.asInt());
        case XmlRpcValue::TypeDouble:
            return xmlrpc_c::value_double(v.asDouble());
        case XmlRpcValue::TypeString:
            return xmlrpc_c::value_string(v.asString());
        case XmlRpcValue::TypeBase64:
            return xmlrpc_c::value_bytestring(v.asBinary());
        case XmlRpcValue::TypeArray: {
            xmlrpc_c::carray items;
            for (const auto& e : v.asArray()) items.push_back(toXmlrpcC(e));
            return xmlrpc_c::value_array(items);
        }
        default:
            return xmlrpc_c::value_nil();
    }
}

const std::string& imageText() {
    static const std::string text = replyText(imageValue());
    return text;
}
const std::string& arrayText() {
    static const std::string text = replyText(arrayValue());
    return text;
}

void parseOurs(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        XmlRpcValue result;
        bool fault = false;
        if (!XmlRpc::XmlRpcClient::parseResponseText(text, result, fault))
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void parseXmlrpcC(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        xmlrpc_c::rpcOutcome outcome;
        xmlrpc_c::xml::parseResponse(text, &outcome);
        benchmark::DoNotOptimize(outcome);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void writeOurs(benchmark::State& state, const XmlRpcValue& value, std::size_t textBytes) {
    for (auto _ : state) {
        std::string out = replyText(value);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(textBytes));
}

void writeXmlrpcC(benchmark::State& state, const XmlRpcValue& value, std::size_t textBytes) {
    const xmlrpc_c::value converted = toXmlrpcC(value);
    for (auto _ : state) {
        std::string out;
        xmlrpc_c::xml::generateResponse(xmlrpc_c::rpcOutcome(converted), &out);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(textBytes));
}

void BM_ParseImage_Ours(benchmark::State& s) {
    parseOurs(s, imageText());
}
void BM_ParseImage_XmlrpcC(benchmark::State& s) {
    parseXmlrpcC(s, imageText());
}
void BM_ParseArray_Ours(benchmark::State& s) {
    parseOurs(s, arrayText());
}
void BM_ParseArray_XmlrpcC(benchmark::State& s) {
    parseXmlrpcC(s, arrayText());
}
void BM_WriteImage_Ours(benchmark::State& s) {
    writeOurs(s, imageValue(), imageText().size());
}
void BM_WriteImage_XmlrpcC(benchmark::State& s) {
    writeXmlrpcC(s, imageValue(), imageText().size());
}
void BM_WriteArray_Ours(benchmark::State& s) {
    writeOurs(s, arrayValue(), arrayText().size());
}
void BM_WriteArray_XmlrpcC(benchmark::State& s) {
    writeXmlrpcC(s, arrayValue(), arrayText().size());
}

BENCHMARK(BM_ParseImage_Ours);
BENCHMARK(BM_ParseImage_XmlrpcC);
BENCHMARK(BM_ParseArray_Ours);
BENCHMARK(BM_ParseArray_XmlrpcC);
BENCHMARK(BM_WriteImage_Ours);
BENCHMARK(BM_WriteImage_XmlrpcC);
BENCHMARK(BM_WriteArray_Ours);
BENCHMARK(BM_WriteArray_XmlrpcC);

// Throughput of ours beside xmlrpc-c's, in MB/s.
const bool compared = [] {
    for (const char* name : {"ParseImage", "ParseArray", "WriteImage", "WriteArray"})
        vt::bench::AddComparison(
            {{std::string(name) + ", ours", "BM_" + std::string(name) + "_Ours", "bytes_per_second"},
             {"xmlrpc-c", "BM_" + std::string(name) + "_XmlrpcC", "bytes_per_second"},
             "MB/s",
             1e-6});
    return true;
}();

}  // namespace
