"""Small HTTP server for the net tests: binds 127.0.0.1 on a free port and prints that port.
It ends when its standard input closes, so that it never outlives the test that started it."""
import http.server
import os
import socketserver
import sys
import threading
import time

BIG = 100 * 1024
HUGE = 10 * 1024 * 1024


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, status, body, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def stream(self, size, chunked):
        piece = b"z" * 65536
        for _ in range(size // len(piece)):
            self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece) if chunked else piece)
        if chunked:
            self.wfile.write(b"0\r\n\r\n")

    def do_GET(self):
        length = int(self.headers.get("Content-Length") or 0)
        sent = self.rfile.read(length) if length else b""
        if self.path == "/echo":
            text = "agent=%s;body=%s" % (self.headers.get("User-Agent", ""), sent.decode())
            self.reply(200, text.encode())
        elif self.path == "/missing":
            self.reply(404, b"not here")
        elif self.path == "/big":
            self.reply(200, b"x" * BIG)
        elif self.path == "/big-chunked":
            self.send_response(200)
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            piece = b"y" * 4096
            for _ in range(BIG // len(piece)):
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.wfile.write(b"0\r\n\r\n")
        elif self.path == "/silent":
            time.sleep(60)
        elif self.path == "/redirect-echo":
            self.reply(302, b"", [("Location", "/echo")])
        elif self.path == "/redirect-file":
            self.reply(302, b"", [("Location", "file:///etc/hostname")])
        elif self.path == "/redirect-ftp":
            self.reply(302, b"", [("Location", "ftp://127.0.0.1:1/x")])
        elif self.path == "/loop":
            self.reply(302, b"", [("Location", "/loop")])
        elif self.path == "/trickle":
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            for _ in range(1000):
                self.wfile.write(b"t")
                self.wfile.flush()
                time.sleep(0.1)
        elif self.path == "/huge":
            self.send_response(200)
            self.send_header("Content-Length", str(HUGE))
            self.end_headers()
            self.stream(HUGE, chunked=False)
        elif self.path == "/huge-chunked":
            self.send_response(200)
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            self.stream(HUGE, chunked=True)
        elif self.path == "/hostile":
            self.reply(200, b"[c=FF0000]{%s}\x00\xff\xfe<b>%n%n</b>\r\nsecond line")
        else:
            self.reply(400, b"unknown path")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # clients that stop reading on purpose (size limit, time-out) are expected


def main():
    server = Server(("127.0.0.1", 0), Handler)
    threading.Thread(target=lambda: (sys.stdin.read(), os._exit(0)), daemon=True).start()
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
