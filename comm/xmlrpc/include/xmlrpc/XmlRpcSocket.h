// Non-blocking TCP over IPv4. Writes never raise SIGPIPE.
#pragma once

#include <string>
#include <string_view>

namespace XmlRpc {

class XmlRpcSocket {
public:
    // A TCP socket with keep-alive probes (idle 10 s, then every 5 s, 3 of
    // them), so a peer that vanishes fails a waiting call in about 25 s.
    static int socket();
    static void close(int fd);
    static bool setNonBlocking(int fd);

    // Starts a connect to host:port; one in progress counts as success.
    static bool connect(int fd, const std::string& host, int port);

    // Appends what can be read without blocking; 0 bytes from the peer sets eof.
    // Reads what is waiting, but stops once s holds `limit` bytes (the rest
    // stays in the socket for the next read).
    static bool nbRead(int fd, std::string& s, bool* eof, std::size_t limit = static_cast<std::size_t>(-1));
    // Writes from s[*bytesSoFar] on until done or it would block.
    static bool nbWrite(int fd, std::string_view s, int* bytesSoFar);

    // True when the peer has closed or reset an idle connection.
    static bool peerClosed(int fd);
    // The error of a connect that was in progress (0 when it succeeded).
    static int pendingError(int fd);

    // The local IPv4 address of a connected socket, or "" when unknown.
    static std::string localAddress(int fd);

    static int getError();
    static std::string getErrorMsg();
    static std::string getErrorMsg(int error);
};

}  // namespace XmlRpc
