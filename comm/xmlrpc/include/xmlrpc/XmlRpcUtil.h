// Entity escaping and the client's logging: log lines reach the log handler
// only up to the verbosity (0 unless someone raises it); errors always reach
// the error handler.
#pragma once

#include <string>
#include <string_view>

namespace XmlRpc {

class XmlRpcLogHandler {
public:
    virtual ~XmlRpcLogHandler() = default;
    virtual void log(int level, const char* msg) = 0;
};

class XmlRpcErrorHandler {
public:
    virtual ~XmlRpcErrorHandler() = default;
    virtual void error(const char* msg) = 0;
};

// Writes to standard output when the level is at most the verbosity.
class DefaultLogHandler : public XmlRpcLogHandler {
public:
    void log(int level, const char* msg) override;
};

// Writes the text and a line end to standard error.
class DefaultErrorHandler : public XmlRpcErrorHandler {
public:
    void error(const char* msg) override;
};

// Handlers and verbosity are set once at start-up, before any client runs.
void setLogHandler(XmlRpcLogHandler* handler);
XmlRpcLogHandler* getLogHandler();
void setErrorHandler(XmlRpcErrorHandler* handler);
XmlRpcErrorHandler* getErrorHandler();
void setVerbosity(int level);
int getVerbosity();

class XmlRpcUtil {
public:
    // Formats into 1024 bytes and hands the text on when level <= verbosity.
    static void log(int level, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    // Formats into 1024 bytes and always calls the error handler.
    static void error(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

    // The five XML special characters as entities, and back; an ampersand
    // that starts no known entity is copied as it stands.
    static std::string xmlEncode(std::string_view raw);
    static std::string xmlDecode(std::string_view encoded);
    static void appendXmlEncoded(std::string& out, std::string_view raw);
};

}  // namespace XmlRpc
