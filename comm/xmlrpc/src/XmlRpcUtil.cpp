#include "xmlrpc/XmlRpcUtil.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

namespace XmlRpc {

namespace {

DefaultLogHandler defaultLogHandler;
DefaultErrorHandler defaultErrorHandler;
std::atomic<XmlRpcLogHandler*> logHandler{&defaultLogHandler};
std::atomic<XmlRpcErrorHandler*> errorHandler{&defaultErrorHandler};
std::atomic<int> verbosity{0};

constexpr std::size_t kMessageBytes = 1024;

struct Entity {
    std::string_view text;
    char c;
};
constexpr Entity kEntities[] = {
    {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&apos;", '\''}, {"&quot;", '"'}};

}  // namespace

void DefaultLogHandler::log(int level, const char* msg) {
    if (level <= getVerbosity()) std::fputs(msg, stdout);
}

void DefaultErrorHandler::error(const char* msg) {
    std::fprintf(stderr, "%s\n", msg);
}

void setLogHandler(XmlRpcLogHandler* handler) {
    logHandler = handler;
}
XmlRpcLogHandler* getLogHandler() {
    return logHandler;
}
void setErrorHandler(XmlRpcErrorHandler* handler) {
    errorHandler = handler;
}
XmlRpcErrorHandler* getErrorHandler() {
    return errorHandler;
}
void setVerbosity(int level) {
    verbosity = level;
}
int getVerbosity() {
    return verbosity;
}

void XmlRpcUtil::log(int level, const char* fmt, ...) {
    XmlRpcLogHandler* handler = logHandler;
    if (handler == nullptr || level > verbosity) return;
    char buf[kMessageBytes];
    va_list va;
    va_start(va, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, va);
    va_end(va);
    handler->log(level, buf);
}

void XmlRpcUtil::error(const char* fmt, ...) {
    char buf[kMessageBytes];
    va_list va;
    va_start(va, fmt);
    std::vsnprintf(buf, sizeof buf, fmt, va);
    va_end(va);
    if (XmlRpcErrorHandler* handler = errorHandler) handler->error(buf);
}

void XmlRpcUtil::appendXmlEncoded(std::string& out, std::string_view raw) {
    for (char c : raw) {
        bool special = false;
        for (const auto& e : kEntities)
            if (e.c == c) {
                out += e.text;
                special = true;
                break;
            }
        if (!special) out += c;
    }
}

std::string XmlRpcUtil::xmlEncode(std::string_view raw) {
    std::string out;
    out.reserve(raw.size());
    appendXmlEncoded(out, raw);
    return out;
}

std::string XmlRpcUtil::xmlDecode(std::string_view encoded) {
    std::string out;
    out.reserve(encoded.size());
    std::size_t i = 0;
    while (i < encoded.size()) {
        std::size_t amp = encoded.find('&', i);
        if (amp == std::string_view::npos) amp = encoded.size();
        out.append(encoded.data() + i, amp - i);
        i = amp;
        if (i == encoded.size()) break;
        bool known = false;
        for (const auto& e : kEntities)
            if (encoded.substr(i).starts_with(e.text)) {
                out += e.c;
                i += e.text.size();
                known = true;
                break;
            }
        if (!known) out += encoded[i++];
    }
    return out;
}

}  // namespace XmlRpc
