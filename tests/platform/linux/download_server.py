"""A loopback web server for the download tests: download_server.py [CERT KEY] (with them, https).

Prints its port, then serves /version ("2.3\\r\\n"), /empty, /status/N, /size/N (N bytes),
/hop/N (a redirect to /hop/N-1; /hop/0 is the version), /to-http/PORT (a redirect to that port's
http /version) and /slow/NAME (two bytes, a line "began NAME" on the standard output, the rest
10 s later); everything else is 404.
"""
import http.server
import ssl
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    def answer(self, status, body, location=None):
        self.send_response(status)
        if location:
            self.send_header("Location", location)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        what, _, arg = self.path.strip("/").partition("/")
        if what == "version" or (what == "hop" and arg == "0"):
            self.answer(200, b"2.3\r\n")
        elif what == "empty":
            self.answer(200, b"")
        elif what == "status":
            self.answer(int(arg), b"<html><body>2.3</body></html>")
        elif what == "size":
            self.answer(200, b"x" * int(arg))
        elif what == "hop":
            self.answer(302, b"moved", "/hop/%d" % (int(arg) - 1))
        elif what == "to-http":
            self.answer(302, b"moved", "http://127.0.0.1:%s/version" % arg)
        elif what == "slow":
            self.send_response(200)
            self.send_header("Content-Length", "5")
            self.end_headers()
            self.wfile.write(b"2.")
            print("began " + arg, flush=True)
            time.sleep(10)
            self.wfile.write(b"3\r\n")
        else:
            self.answer(404, b"")

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that gave up (a fetch past its limit) is no error here


server = Server(("127.0.0.1", 0), Handler)
if len(sys.argv) == 3:
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(sys.argv[1], sys.argv[2])
    server.socket = context.wrap_socket(server.socket, server_side=True)
print(server.server_address[1], flush=True)
server.serve_forever()
