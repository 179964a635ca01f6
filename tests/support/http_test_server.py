"""HTTP server for tests: serves bodies that the test sets up and records the requests it gets.

Usage: http_test_server.py PORT_FILE
Binds 127.0.0.1 on a free port and writes that port to PORT_FILE (through a rename, so a reader
never sees half a number). Control requests, all under /__control/:
  POST /__control/serve       body = the reply body; headers X-Path, X-Status, X-Gzip (0/1),
                              X-Chunk-Delay-Ms, X-Chunks, X-Cut-Short (0/1), X-Location
  GET  /__control/headers?p=  the header lines of the last request for path p, one per line
  GET  /__control/count?p=    how many requests path p got
Paths that were not served get 404. A request through a proxy (absolute URL) counts for its path.
"""

import gzip
import http.server
import os
import sys
import threading
import time
import urllib.parse

lock = threading.Lock()
replies = {}   # path -> dict
requests = {}  # path -> (count, [header lines])


def plain_path(target):
    if target.startswith("http://") or target.startswith("https://"):
        parts = urllib.parse.urlsplit(target)
        return parts.path + ("?" + parts.query if parts.query else "")
    return target


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, format, *args):
        sys.stderr.write("%s\n" % (format % args))

    def send_text(self, status, text):
        data = text.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", "text/plain; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)

    def do_POST(self):
        length = int(self.headers.get("Content-Length", "0"))
        body = self.rfile.read(length)
        if self.path != "/__control/serve":
            self.send_text(404, "unknown control request")
            return
        reply = {
            "status": int(self.headers.get("X-Status", "200")),
            "gzip": self.headers.get("X-Gzip", "0") == "1",
            "delay": int(self.headers.get("X-Chunk-Delay-Ms", "0")) / 1000.0,
            "chunks": max(1, int(self.headers.get("X-Chunks", "1"))),
            "cut_short": self.headers.get("X-Cut-Short", "0") == "1",
            "location": urllib.parse.unquote(self.headers.get("X-Location", "")),
            "body": body,
        }
        with lock:
            replies[urllib.parse.unquote(self.headers["X-Path"])] = reply
        self.send_text(200, "ok")

    def do_GET(self):
        if self.path.startswith("/__control/"):
            self.control()
            return
        path = plain_path(self.path)
        lines = ["%s: %s" % (name, value) for name, value in self.headers.items()]
        with lock:
            count = requests.get(path, (0, []))[0]
            requests[path] = (count + 1, lines)
            reply = replies.get(path)
        if reply is None:
            self.send_text(404, "not found")
            return
        self.answer(reply)

    def control(self):
        parts = urllib.parse.urlsplit(self.path)
        path = urllib.parse.parse_qs(parts.query).get("p", [""])[0]
        with lock:
            count, lines = requests.get(path, (0, []))
        if parts.path == "/__control/headers":
            self.send_text(200, "".join(line + "\n" for line in lines))
        elif parts.path == "/__control/count":
            self.send_text(200, str(count))
        else:
            self.send_text(404, "unknown control request")

    def answer(self, reply):
        body = reply["body"]
        if reply["gzip"]:
            body = gzip.compress(body)
        self.send_response(reply["status"])
        self.send_header("Content-Type", "application/octet-stream")
        if reply["gzip"]:
            self.send_header("Content-Encoding", "gzip")
        if reply["location"]:
            self.send_header("Location", reply["location"])
        if reply["cut_short"]:
            # Promise more than is sent, then drop the connection.
            self.send_header("Content-Length", str(len(body) + 1000))
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        chunks = reply["chunks"]
        size = (len(body) + chunks - 1) // chunks if body else 0
        try:
            for i in range(chunks):
                if reply["delay"] > 0:
                    self.wfile.flush()
                    time.sleep(reply["delay"])
                self.wfile.write(body[i * size:(i + 1) * size])
                self.wfile.flush()
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # A client that gave up mid-body is part of the tests, not a server fault.
        if not isinstance(sys.exc_info()[1], (BrokenPipeError, ConnectionResetError)):
            super().handle_error(request, client_address)


def main():
    port_file = sys.argv[1]
    server = Server(("127.0.0.1", 0), Handler)
    with open(port_file + ".tmp", "w") as out:
        out.write("%d\n" % server.server_address[1])
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
