// Something the dispatcher waits on: a socket and what to do with its events.
#pragma once

namespace XmlRpc {

class XmlRpcSource {
public:
    explicit XmlRpcSource(int fd = -1, bool deleteOnClose = false);
    virtual ~XmlRpcSource();
    XmlRpcSource(const XmlRpcSource&) = delete;
    XmlRpcSource& operator=(const XmlRpcSource&) = delete;

    int getfd() const { return fd_; }
    void setfd(int fd) { fd_ = fd; }

    bool getKeepOpen() const { return keepOpen_; }
    void setKeepOpen(bool keep = true) { keepOpen_ = keep; }

    // Closes the socket; with delete-on-close set the source deletes itself.
    virtual void close();
    // Handles the events (XmlRpcDispatch mask bits) and returns the events
    // to wait for next; 0 drops the source from its dispatcher.
    virtual unsigned handleEvent(unsigned eventType) = 0;

private:
    int fd_;
    bool deleteOnClose_;
    bool keepOpen_ = false;
};

}  // namespace XmlRpc
