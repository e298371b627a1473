"""The local web the browser reaches: one server, answering as the engine's proxy by host
and path, that keeps every request it receives."""

import base64
import http.server
import threading
import time
import urllib.parse
from dataclasses import dataclass, field


@dataclass
class Response:
    body: bytes = b""
    status: int = 200
    content_type: str = "text/html; charset=utf-8"
    delay: float = 0.0
    headers: dict = field(default_factory=dict)
    # A page behind a login: without these credentials ("user:password"), the answer is 401
    # with a "Denied" page, asking for them in the realm.
    realm: str = ""
    credentials: str = ""
    # When given, only the first half of the body is sent until the event is set.
    hold: threading.Event = None


def page(title, background, body=""):
    """A page a person can tell apart from others: its title, and its colour on screen."""
    html = (
        f"<html><head><title>{title}</title></head>"
        f"<body style='margin:0;background:{background}'>{body}</body></html>"
    )
    return Response(html.encode())


class Server:
    """Answers the browser's requests as its proxy: by host and path, with what the test
    set; anything else is a 404. Keeps every request it received."""

    def __init__(self):
        self.routes = {}
        self.requests = []  # (host, path with query)
        self.authorizations = []  # (path, the Authorization header or None)
        self._lock = threading.Lock()
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = "HTTP/1.0"

            def do_GET(self):
                target = urllib.parse.urlsplit(self.path)
                host = target.hostname or self.headers.get("Host", "")
                path = target.path or "/"
                if target.query:
                    path += "?" + target.query
                authorization = self.headers.get("Authorization")
                with server._lock:
                    server.requests.append((host, path))
                    server.authorizations.append((path, authorization))
                    response = server.routes.get((host, path.split("?")[0])) or server.routes.get(
                        (None, path.split("?")[0])
                    )
                if response is None:
                    response = Response(b"<html><body>Not found</body></html>", status=404)
                expected = "Basic " + base64.b64encode(response.credentials.encode()).decode()
                if response.realm and authorization != expected:
                    response = Response(
                        b"<html><head><title>Denied</title></head><body>denied</body></html>",
                        status=401,
                        headers={"WWW-Authenticate": f'Basic realm="{response.realm}"'},
                    )
                if response.delay:
                    time.sleep(response.delay)
                try:
                    self.send_response(response.status)
                    self.send_header("Content-Type", response.content_type)
                    self.send_header("Content-Length", str(len(response.body)))
                    for name, value in response.headers.items():
                        self.send_header(name, value)
                    self.end_headers()
                    if response.hold is not None:
                        half = len(response.body) // 2
                        self.wfile.write(response.body[:half])
                        self.wfile.flush()
                        response.hold.wait(30)
                        self.wfile.write(response.body[half:])
                    else:
                        self.wfile.write(response.body)
                except (BrokenPipeError, ConnectionResetError):
                    pass

            def log_message(self, *args):
                pass

        self._http = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self._http.daemon_threads = True
        self.port = self._http.server_address[1]
        self._thread = threading.Thread(target=self._http.serve_forever, daemon=True)
        self._thread.start()

    def route(self, path, response, host=None):
        with self._lock:
            self.routes[(host, path)] = response

    def received(self, path, host=None):
        with self._lock:
            return any(p == path and (host is None or h == host) for h, p in self.requests)

    def paths(self):
        with self._lock:
            return [p for _, p in self.requests]

    def close(self):
        self._http.shutdown()
        self._http.server_close()


