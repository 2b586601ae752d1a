#!/usr/bin/env python3
"""Loopback web servers for the download tests under Wine: "start DIR" makes certificates in DIR,
starts the servers in the background and writes their ports to DIR/servers.txt; "stop DIR" ends
them. Three servers on 127.0.0.1 answer the same paths: plain HTTP ("http"), HTTPS with a
certificate of a test authority whose certificate is DIR/authority.der ("trusted"), and HTTPS with a
self-signed certificate ("untrusted")."""
import os
import signal
import socketserver
import ssl
import subprocess
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, HTTPServer

VERSION = b"2.3\r\n"
LIMIT = 64 * 1024


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"  # one request per connection

    def log_message(self, *args):
        pass

    def head(self, status, length=None, location=None):
        self.send_response(status)
        if location:
            self.send_header("Location", location)
        if length is not None:
            self.send_header("Content-Length", str(length))
        self.end_headers()

    def answer(self, body, status=200):
        self.head(status, len(body))
        self.wfile.write(body)

    def do_GET(self):
        server, path = self.server, self.path
        if path == "/version":
            self.answer(VERSION)
        elif path == "/empty":
            self.answer(b"")
        elif path.startswith("/missing"):
            self.answer(b"<html>not here</html>", 404)
        elif path == "/exactly-64k":
            self.answer(b"v" * LIMIT)
        elif path == "/over-64k":
            self.answer(b"v" * (LIMIT + 1))
        elif path == "/over-64k-unannounced":
            self.head(200)
            self.wfile.write(b"v" * (LIMIT + 1))
        elif path == "/cut-short":
            self.head(200, 10)
            self.wfile.write(b"2.3")
        elif path == "/trickle":  # a byte every quarter second: each read gets something
            self.head(200, 100)
            for _ in range(100):
                self.wfile.write(b"x")
                self.wfile.flush()
                time.sleep(0.25)
        elif path == "/silent":
            time.sleep(30)
        elif path == "/loop":
            self.head(302, 0, f"{server.scheme}://localhost:{server.server_port}/loop")
        elif path.startswith("/hops/"):  # relative, resolved against the address asked
            left = int(path[6:])
            self.head(302, 0, f"/hops/{left - 1}") if left else self.answer(VERSION)
        elif path == "/to-plain":
            self.head(302, 0, f"http://localhost:{server.plain_port}/version")
        else:
            self.answer(b"", 400)


class Server(socketserver.ThreadingMixIn, HTTPServer):
    daemon_threads = True
    scheme, context, plain_port = "http", None, 0

    def finish_request(self, request, client_address):
        # The handshake runs on the connection's own thread: a client giving up in it holds no other.
        if self.context:
            try:
                request = self.context.wrap_socket(request, server_side=True)
            except (ssl.SSLError, OSError):
                return
        super().finish_request(request, client_address)

    def handle_error(self, request, client_address):
        pass  # clients that hang up early are expected


def make_certificates(folder):
    def openssl(*args):
        subprocess.run(["openssl", *args, "-days", "2"], cwd=folder, check=True, capture_output=True)

    with open(os.path.join(folder, "server.ext"), "w") as ext:
        ext.write("subjectAltName=DNS:localhost,IP:127.0.0.1\nbasicConstraints=CA:FALSE\n")
    key = ["-newkey", "rsa:2048", "-nodes", "-keyout"]
    openssl("req", "-x509", *key, "authority.key", "-out", "authority.pem", "-subj", "/CN=Quorrel Test Authority",
            "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign")
    openssl("x509", "-in", "authority.pem", "-outform", "DER", "-out", "authority.der")
    openssl("req", *key, "trusted.key", "-out", "trusted.csr", "-subj", "/CN=localhost")
    openssl("x509", "-req", "-in", "trusted.csr", "-CA", "authority.pem", "-CAkey", "authority.key",
            "-CAcreateserial", "-out", "trusted.pem", "-extfile", "server.ext")
    openssl("req", "-x509", *key, "untrusted.key", "-out", "untrusted.pem", "-subj", "/CN=localhost",
            "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1")


def start(folder):
    stop(folder)  # servers left over from a run that was cut short
    os.makedirs(folder, exist_ok=True)
    make_certificates(folder)
    servers = {name: Server(("127.0.0.1", 0), Handler) for name in ("http", "trusted", "untrusted")}
    for name, server in servers.items():
        server.plain_port = servers["http"].server_port
        if name != "http":
            server.scheme, server.context = "https", ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
            server.context.load_cert_chain(*(os.path.join(folder, name + end) for end in (".pem", ".key")))
    # The sockets listen already: the tests may begin once the parent has written the ports.
    pid = os.fork()
    if pid:
        with open(os.path.join(folder, "servers.txt"), "w") as state:
            state.writelines(f"{name} {server.server_port}\n" for name, server in servers.items())
            state.write(f"pid {pid}\n")
        return
    os.setsid()
    null = os.open(os.devnull, os.O_RDWR)
    for fd in (0, 1, 2):  # ctest waits for the output it gave the parent
        os.dup2(null, fd)
    for server in servers.values():
        threading.Thread(target=server.serve_forever, daemon=True).start()
    while True:
        signal.pause()  # until SIGTERM


def stop(folder):
    try:
        with open(os.path.join(folder, "servers.txt")) as state:
            pid = int(dict(line.split() for line in state)["pid"])
        os.remove(os.path.join(folder, "servers.txt"))
        os.kill(pid, signal.SIGTERM)
    except (OSError, KeyError, ValueError):
        pass


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] not in ("start", "stop"):
        sys.exit("usage: download_server.py start|stop DIR")
    (start if sys.argv[1] == "start" else stop)(os.path.abspath(sys.argv[2]))
