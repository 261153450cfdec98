#!/usr/bin/python3
"""A throw-away FTP server for the publishing tests, on 127.0.0.1.

Serves ROOT to one user. With --tls CERTFILE (certificate and key in one PEM file) it speaks
explicit FTPS and refuses to log in or move data without TLS. With --case-insensitive, names
resolve without regard to letter case, as on a Windows server. With --full-for TEXT it answers
552 (no room) to every upload whose path holds TEXT, with --refuse-for TEXT 553 (name not
allowed); with --no-epsv it knows only the classic passive mode, with --no-stat it lists
folders only over a data connection. With --delay SECONDS every reply comes that
much late, as from a server far away. Prints "PORT <n>" on stdout once
it listens, then serves until it is killed.
"""

import argparse
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer


class CaseInsensitiveFS(AbstractedFS):
    """Each component of a path resolves to an existing entry whose name matches without
    regard to case; a new entry keeps the spelling given."""

    def ftp2fs(self, ftppath):
        real = super().ftp2fs(ftppath)
        root = os.path.realpath(self.root)
        relative = os.path.relpath(real, root)
        if relative == ".":
            return real
        current = root
        for part in relative.split(os.sep):
            candidate = os.path.join(current, part)
            if not os.path.lexists(candidate) and os.path.isdir(current):
                for name in os.listdir(current):
                    if name.lower() == part.lower():
                        candidate = os.path.join(current, name)
                        break
            current = candidate
        return current


def tls_handler_class():
    """Explicit FTPS whose data connections accept a client that starts the TLS handshake as
    soon as it connects, before it sends the transfer command (libcurl does)."""
    from pyftpdlib.handlers import TLS_DTPHandler, TLS_FTPHandler

    class EagerTLSDTPHandler(TLS_DTPHandler):
        def readable(self):
            if not self.receive and not self._initialized:
                return self._ssl_want_read
            return super().readable()

    class Handler(TLS_FTPHandler):
        dtp_handler = EagerTLSDTPHandler

    return Handler


def with_faults(handler, full_for, refuse_for, no_epsv, no_stat, delay):
    """The handler class, answering 552 to uploads of paths holding `full_for`, 553 to those
    holding `refuse_for`, 500 to EPSV with `no_epsv` and to STAT of a path with `no_stat`, and
    sending each reply `delay` seconds late."""

    class Faulty(handler):
        def ftp_STOR(self, file, mode="w"):
            if full_for and full_for in file:
                self.respond("552 Requested file action aborted: exceeded storage allocation.")
                return None
            if refuse_for and refuse_for in file:
                self.respond("553 Requested action not taken: file name not allowed.")
                return None
            return super().ftp_STOR(file, mode)

        def ftp_STAT(self, path):
            if no_stat and path:
                self.respond("500 Command \"STAT\" with a path not understood.")
                return None
            return super().ftp_STAT(path)

        def ftp_EPSV(self, line):
            if no_epsv:
                self.respond("500 Command \"EPSV\" not understood.")
                return None
            return super().ftp_EPSV(line)

        def respond(self, resp, logfun=None):
            if delay <= 0:
                return super().respond(resp)
            parent = super()
            self.ioloop.call_later(delay, lambda: parent.respond(resp) if self.connected else None)

    return Faulty


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--user", required=True)
    parser.add_argument("--password", required=True)
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--tls", metavar="CERTFILE")
    parser.add_argument("--case-insensitive", action="store_true")
    parser.add_argument("--full-for", default="")
    parser.add_argument("--refuse-for", default="")
    parser.add_argument("--no-epsv", action="store_true")
    parser.add_argument("--no-stat", action="store_true")
    parser.add_argument("--delay", type=float, default=0.0)
    args = parser.parse_args()

    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.root, perm="elradfmwMT")

    if args.tls:
        handler = tls_handler_class()
        handler.certfile = args.tls
        handler.tls_control_required = True
        handler.tls_data_required = True
    else:
        handler = FTPHandler
    handler.authorizer = authorizer
    handler.passive_ports = None
    handler.permit_foreign_addresses = False
    if args.case_insensitive:
        handler.abstracted_fs = CaseInsensitiveFS
    if args.full_for or args.refuse_for or args.no_epsv or args.no_stat or args.delay > 0:
        handler = with_faults(
            handler, args.full_for, args.refuse_for, args.no_epsv, args.no_stat, args.delay
        )

    server = FTPServer(("127.0.0.1", args.port), handler)
    print("PORT", server.address[1], flush=True)
    sys.stdout.close()
    # Short polls: delayed replies are sent between them.
    server.serve_forever(timeout=0.002 if args.delay > 0 else 1.0, handle_exit=True)


if __name__ == "__main__":
    import logging

    logging.basicConfig(level=logging.CRITICAL)
    main()
