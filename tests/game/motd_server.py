"""Message-of-the-day server for the game tests: binds 127.0.0.1 on a free port and prints that port.

Each request to the message path answers with the bytes of the file named by MOTD_REPLY_FILE (404 when
the file is missing) and appends the request's path and User-Agent to MOTD_LOG_FILE."""
import http.server
import os
import socketserver
import sys

MOTD_PATH = "/games/swiggard/motd.php"


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, status, body):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        with open(os.environ["MOTD_LOG_FILE"], "a", encoding="utf-8") as log:
            log.write("%s\t%s\n" % (self.path, self.headers.get("User-Agent", "")))
        if self.path != MOTD_PATH:
            self.reply(400, b"unknown path")
            return
        try:
            with open(os.environ["MOTD_REPLY_FILE"], "rb") as reply:
                self.reply(200, reply.read())
        except OSError:
            self.reply(404, b"no message")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True


def main():
    server = Server(("127.0.0.1", 0), Handler)
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    sys.exit(main())
