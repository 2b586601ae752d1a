"""A loopback web server for the download tests: download_server.py [CERT KEY].

Prints its port on the first line, then serves until it is killed. With a certificate and its key
it speaks https. Paths:
  /version        "2.3\\r\\n"
  /empty          a 200 answer with no body
  /status/N       an answer of status N with a small page
  /slow/NAME      the first two bytes of the version, then "began NAME" on the standard output,
                  and the rest of the version 10 s later
  /size/N         N bytes of "x"
  /hop/N          a redirect to /hop/N-1; /hop/0 is the version
  /to-http/PORT   a redirect to http://127.0.0.1:PORT/version
"""
import http.server
import ssl
import sys
import time


class Handler(http.server.BaseHTTPRequestHandler):
    def answer(self, status, body, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        parts = self.path.strip("/").split("/")
        if parts == ["version"]:
            self.answer(200, b"2.3\r\n")
        elif parts == ["empty"]:
            self.answer(200, b"")
        elif parts[0] == "slow" and len(parts) == 2:
            self.send_response(200)
            self.send_header("Content-Length", "5")
            self.end_headers()
            self.wfile.write(b"2.")
            print("began " + parts[1], flush=True)
            time.sleep(10)
            self.wfile.write(b"3\r\n")
        elif parts[0] == "status" and len(parts) == 2:
            self.answer(int(parts[1]), b"<html><body>2.3</body></html>")
        elif parts[0] == "size" and len(parts) == 2:
            self.answer(200, b"x" * int(parts[1]))
        elif parts[0] == "hop" and len(parts) == 2:
            left = int(parts[1])
            if left == 0:
                self.answer(200, b"2.3\r\n")
            else:
                self.answer(302, b"moved", [("Location", "/hop/%d" % (left - 1))])
        elif parts[0] == "to-http" and len(parts) == 2:
            self.answer(302, b"moved", [("Location", "http://127.0.0.1:%s/version" % parts[1])])
        else:
            self.answer(404, b"<html><body>2.3</body></html>")

    def log_message(self, *args):
        pass


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that gave up (a fetch past its limit) is no error here


def main():
    server = Server(("127.0.0.1", 0), Handler)
    if len(sys.argv) == 3:
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(sys.argv[1], sys.argv[2])
        server.socket = context.wrap_socket(server.socket, server_side=True)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
