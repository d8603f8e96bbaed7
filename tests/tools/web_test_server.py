#!/usr/bin/env python3
"""Local web servers for the Load From Web tests: plain HTTP and HTTPS on 127.0.0.1.

Usage: web_test_server.py FOLDER. Makes a test CA and a server certificate for 127.0.0.1 in
FOLDER with openssl, starts both servers on free ports and prints "http PORT", "https PORT"
and "ca PATH", one a line. It ends when its standard input closes.
"""
import base64
import gzip
import http.server
import os
import ssl
import subprocess
import sys
import threading
import time

AUTH = "Basic " + base64.b64encode(b"user:p@ss word").decode()


def make_certificates(folder):
    def run(*args):
        subprocess.run(["openssl", *args], check=True, cwd=folder,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    key = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"]
    run("req", "-x509", *key, "-keyout", "ca.key", "-out", "ca.pem", "-days", "2",
        "-subj", "/CN=Quinkle Test CA")
    run("req", *key, "-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=127.0.0.1")
    with open(os.path.join(folder, "server.ext"), "w") as ext:
        ext.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n")
    run("x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
        "-CAcreateserial", "-out", "server.pem", "-days", "2", "-extfile", "server.ext")


class Handler(http.server.BaseHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def reply(self, body, status=200, reason=None, headers=()):
        self.send_response(status, reason)
        for name, value in headers:
            self.send_header(name, value)
        if not any(name == "Content-Length" for name, _ in headers) and body is not None:
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if body:
            self.wfile.write(body)

    def do_GET(self):
        path, _, query = self.path.partition("?")
        size = int(query[2:]) if query.startswith("n=") else 0
        if path == "/three":
            self.reply(b"one\r\ntwo\r\nthree", headers=[("Content-Type", "text/html")])
        elif path == "/lf":
            self.reply(b"one\ntwo\nthree\n", headers=[("Content-Type", "text/plain")])
        elif path == "/missing":
            self.reply(b"<html>gone</html>", 404, "Page Gone Away")
        elif path.startswith("/redirect/"):
            left = int(path[len("/redirect/"):])
            target = "/redirect/%d" % (left - 1) if left > 0 else "/three"
            self.reply(b"", 302, headers=[("Location", target)])
        elif path == "/loop":
            self.reply(b"", 302, headers=[("Location", "/loop")])
        elif path == "/slow":
            self.send_response(200)
            self.send_header("Content-Length", "100000")
            self.end_headers()
            try:
                for _ in range(1000):
                    self.wfile.write(b"x")
                    self.wfile.flush()
                    time.sleep(0.1)
            except OSError:
                pass
        elif path == "/gzip":
            self.reply(gzip.compress(b"packed\r\npage"), headers=[("Content-Encoding", "gzip")])
        elif path == "/big":
            self.reply(b"b" * size)
        elif path == "/bigstream":
            # No length: the body ends when the connection closes.
            self.send_response(200)
            self.end_headers()
            self.wfile.write(b"s" * size)
        elif path == "/latin1":
            self.reply(b"<p>caf\xe9</p>", headers=[("Content-Type", "text/html; charset=ISO-8859-1")])
        elif path == "/latin1meta":
            self.reply(b'<html><head><meta charset="iso-8859-1"></head><body>caf\xe9</body></html>',
                       headers=[("Content-Type", "text/html")])
        elif path == "/auth":
            if self.headers.get("Authorization") == AUTH:
                self.reply(b"welcome")
            else:
                self.reply(b"", 401, "Who Are You", [("WWW-Authenticate", 'Basic realm="t"')])
        else:
            lines = ["path=" + self.path, "accept=" + str(self.headers.get("Accept")),
                     "agent=" + str(self.headers.get("User-Agent")),
                     "host=" + str(self.headers.get("Host"))]
            self.reply("\n".join(lines).encode())


def serve(server):
    threading.Thread(target=server.serve_forever, daemon=True).start()


def main():
    folder = sys.argv[1]
    make_certificates(folder)
    plain = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    secure = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.load_cert_chain(os.path.join(folder, "server.pem"), os.path.join(folder, "server.key"))
    secure.socket = context.wrap_socket(secure.socket, server_side=True)
    for server in (plain, secure):
        server.daemon_threads = True
        serve(server)
    print("http %d" % plain.server_address[1])
    print("https %d" % secure.server_address[1])
    print("ca " + os.path.join(folder, "ca.pem"), flush=True)
    sys.stdin.read()


if __name__ == "__main__":
    main()
