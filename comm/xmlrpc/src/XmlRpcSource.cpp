#include "xmlrpc/XmlRpcSource.h"

#include "xmlrpc/XmlRpcSocket.h"
#include "xmlrpc/XmlRpcUtil.h"

namespace XmlRpc {

XmlRpcSource::XmlRpcSource(int fd, bool deleteOnClose) : fd_(fd), deleteOnClose_(deleteOnClose) {}

XmlRpcSource::~XmlRpcSource() = default;

void XmlRpcSource::close() {
    if (fd_ != -1) {
        XmlRpcUtil::log(2, "XmlRpcSource::close: closing socket %d.", fd_);
        XmlRpcSocket::close(fd_);
        XmlRpcUtil::log(2, "XmlRpcSource::close: done closing socket %d.", fd_);
        fd_ = -1;
    }
    if (deleteOnClose_) {
        XmlRpcUtil::log(2, "XmlRpcSource::close: deleting this");
        deleteOnClose_ = false;
        delete this;
    }
}

}  // namespace XmlRpc
