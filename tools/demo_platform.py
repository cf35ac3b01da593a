#!/usr/bin/env python3
"""A stand-in for the game platform, on the loopback interface only.

Serves what a normal start of the launcher needs:
  /login.php               the login page: a form and a link that lead to the game address
  /play_gamecode?...       the game address (the launcher cancels this navigation and opens it
                           in its own game view, which then loads it from here)
  /getClientVersion.php    the version check: "0", nothing to update
Anything else is 404. Every request is logged to stderr.
"""
import argparse
import html
import sys
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlencode, urlsplit

SERVERS = ["S1", "S2"]


def game_address(server_name, player):
    # svname last: the launcher takes the server name as the rest of the address.
    return "/play_gamecode?" + urlencode({"g": "tsk", "player": player, "svname": server_name})


def login_page():
    links = "".join(
        '<p><a href="%s">进入 %s 服</a></p>' % (html.escape(game_address(s, "demo")), s) for s in SERVERS)
    return """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Nuvra 登录</title></head>
<body style="background:#1b1410;color:#e8d7b0;font-family:sans-serif">
%s
<form method="get" action="/play_gamecode">
  <input type="hidden" name="g" value="tsk">
  <p>账号 <input name="player" value="demo"></p>
  <p>服务器 <select name="svname">%s</select></p>
  <p><input type="submit" value="登录"></p>
</form>
</body></html>
""" % (links, "".join("<option>%s</option>" % s for s in SERVERS))


def game_page(query):
    server_name = html.escape(query.get("svname", ["?"])[0])
    return """<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>《Tessik》加强版</title></head>
<body style="background:#0c1a2a;color:#f0e6c8;font-family:sans-serif">
<h1>《Tessik》加强版</h1>
<p>服务器 %s: the game would run here.</p>
</body></html>
""" % server_name


class Handler(BaseHTTPRequestHandler):
    version_reply = "0"

    def do_GET(self):
        parts = urlsplit(self.path)
        query = parse_qs(parts.query)
        if parts.path == "/login.php":
            self.reply(200, login_page())
        elif parts.path == "/play_gamecode":
            self.reply(200, game_page(query))
        elif parts.path == "/getClientVersion.php":
            self.reply(200, self.version_reply, "text/plain")
        else:
            self.reply(404, "<html><body>not found</body></html>")

    def reply(self, status, body, content_type="text/html"):
        data = body.encode("utf-8")
        self.send_response(status)
        self.send_header("Content-Type", content_type + "; charset=utf-8")
        self.send_header("Content-Length", str(len(data)))
        self.send_header("Cache-Control", "no-cache")
        self.end_headers()
        self.wfile.write(data)

    def log_message(self, fmt, *args):
        sys.stderr.write("demo platform: %s\n" % (fmt % args))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=8480)
    parser.add_argument("--version-reply", default="0", help='answer of getClientVersion.php (default "0")')
    args = parser.parse_args()
    Handler.version_reply = args.version_reply
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    sys.stderr.write("demo platform: http://127.0.0.1:%d/login.php\n" % server.server_address[1])
    sys.stderr.flush()
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
