"""An FTP server for the upload tests that misbehaves on purpose.

The tests start the ordinary server with `python3 -m pyftpdlib`; this one is for the servers a
writer meets less often: one that does not know MLSD, one that drops the connection when a
given file is sent, one that answers every listing with the bytes of a file (garbage, or names
meant to lead a client out of the folder) or, with "--listing endless", with a listing that
never ends, ones that refuse passive or active mode, and one whose
data connections never arrive in either mode, as behind a firewall that drops them. It prints the
same start line as the ordinary server, with the port it got.
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
parser.add_argument("--refuse-passive", action="store_true")
parser.add_argument("--refuse-active", action="store_true")
parser.add_argument("--data-never-arrives", action="store_true")
args = parser.parse_args()


class DroppingPort:
    """A listening port whose queue is already full, so the system drops every further
    connection to it: the client's connect waits until it gives up."""

    def __init__(self):
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(0)
        self.port = self.listener.getsockname()[1]
        self.fillers = []
        for _ in range(3):
            filler = socket.socket()
            filler.setblocking(False)
            try:
                filler.connect(("127.0.0.1", self.port))
            except BlockingIOError:
                pass
            self.fillers.append(filler)


dropping_port = DroppingPort() if args.data_never_arrives else None


class EndlessListing:
    """Names for as long as the client reads them."""

    chunk = b"type=file;size=1; again.htm\r\n" * 2000

    def more(self):
        return self.chunk


class Handler(FTPHandler):
    def ftp_MLSD(self, path):
        if args.no_mlsd:
            self.respond('500 Command "MLSD" not understood.')
            return
        if args.listing:
            return self.push_canned_listing("MLSD")
        return super().ftp_MLSD(path)

    def ftp_PASV(self, line):
        if args.refuse_passive:
            self.respond("502 Passive mode not allowed.")
        elif dropping_port:
            high, low = divmod(dropping_port.port, 256)
            self.respond("227 Entering passive mode (127,0,0,1,%d,%d)." % (high, low))
        else:
            super().ftp_PASV(line)

    def ftp_EPSV(self, line):
        if args.refuse_passive:
            self.respond("502 Extended passive mode not allowed.")
        elif dropping_port:
            self.respond("229 Entering extended passive mode (|||%d|)." % dropping_port.port)
        else:
            super().ftp_EPSV(line)

    def ftp_PORT(self, line):
        self.active_mode(line, super().ftp_PORT)

    def ftp_EPRT(self, line):
        self.active_mode(line, super().ftp_EPRT)

    def active_mode(self, line, accept):
        if args.refuse_active:
            self.respond("502 Active mode not allowed.")
        elif dropping_port:
            # Taken, but the connection back to the client never gets through.
            self.respond("200 Active data connection established.")
        else:
            accept(line)

    def ftp_LIST(self, path):
        if args.listing:
            return self.push_canned_listing("LIST")
        return super().ftp_LIST(path)

    def push_canned_listing(self, command):
        if args.listing == "endless":
            return self.push_dtp_data(EndlessListing(), isproducer=True, cmd=command)
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
