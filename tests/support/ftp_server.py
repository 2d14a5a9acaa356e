"""An FTP server for the upload tests that misbehaves on purpose.

The tests start the ordinary server with `python3 -m pyftpdlib`; this one is for the servers a
writer meets less often: one that does not know MLSD, one that drops the connection when a
given file is sent, one that answers every listing with the bytes of a file (garbage, or names
meant to lead a client out of the folder), and one whose data connections never reach an
active-mode client. It prints the same start line as the ordinary server, with the port it got.
"""
import argparse
import os
import socket
import struct
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

parser = argparse.ArgumentParser()
parser.add_argument("--directory", required=True)
parser.add_argument("--username", required=True)
parser.add_argument("--password", required=True)
parser.add_argument("--no-mlsd", action="store_true")
parser.add_argument("--drop-on", default="")
parser.add_argument("--listing", default="")
parser.add_argument("--never-connect-back", action="store_true")
args = parser.parse_args()


class Handler(FTPHandler):
    def ftp_MLSD(self, path):
        if args.no_mlsd:
            self.respond('500 Command "MLSD" not understood.')
            return
        if args.listing:
            return self.push_canned_listing("MLSD")
        return super().ftp_MLSD(path)

    def ftp_PORT(self, line):
        if args.never_connect_back:
            self.respond("200 Active data connection established.")
            return
        return super().ftp_PORT(line)

    def ftp_EPRT(self, line):
        if args.never_connect_back:
            self.respond("200 Active data connection established.")
            return
        return super().ftp_EPRT(line)

    def ftp_LIST(self, path):
        if args.listing:
            return self.push_canned_listing("LIST")
        return super().ftp_LIST(path)

    def push_canned_listing(self, command):
        with open(args.listing, "rb") as listing:
            self.push_dtp_data(listing.read(), cmd=command)

    def ftp_STOR(self, file, mode="w"):
        if args.drop_on and os.path.basename(file) == args.drop_on:
            # A reset, not a polite close: what a crashing server or a broken line looks like.
            self.socket.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            self.close()
            return
        return super().ftp_STOR(file, mode)


authorizer = DummyAuthorizer()
authorizer.add_user(args.username, args.password, args.directory, perm="elradfmwMT")
Handler.authorizer = authorizer
server = FTPServer(("127.0.0.1", 0), Handler)
print(">>> starting FTP server on 127.0.0.1:%d <<<" % server.socket.getsockname()[1],
      file=sys.stderr, flush=True)
server.serve_forever()
