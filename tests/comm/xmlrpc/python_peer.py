#!/usr/bin/env python3
"""An XML-RPC server from Python's standard library, as a peer nobody here
wrote. Usage: python_peer.py ADDRESS. Prints the port it listens on."""
import sys
from xmlrpc.server import SimpleXMLRPCServer
import xmlrpc.client


def echo(*args):
    return list(args)


def fail():
    raise xmlrpc.client.Fault(7, "broken on purpose")


def main():
    server = SimpleXMLRPCServer((sys.argv[1], 0), logRequests=False)
    server.register_function(echo, "echo")
    server.register_function(fail, "fail")
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
