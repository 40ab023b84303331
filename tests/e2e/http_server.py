"""A small HTTP server on 127.0.0.1 with canned answers, for the update tests.

Each path gets an Answer; every request is logged. Answers can leave out the
length, cut the body short, trickle it slowly, or close mid-header.
"""
import http.server
import threading
import time


class Answer:
    def __init__(self, body=b'', status=200, length=None, mode='normal', chunk=65536,
                 pause=0.0):
        self.body = body if isinstance(body, bytes) else body.encode()
        self.status = status
        self.length = len(self.body) if length is None else length
        self.mode = mode      # normal, no_length, cut, close_mid_header
        self.chunk = chunk    # bytes per write
        self.pause = pause    # seconds between writes


class TestServer:
    def __init__(self, port):
        self.answers = {}
        self.requests = []
        self.arrivals = []  # (path, time.time()) of each request
        server = self

        class Handler(http.server.BaseHTTPRequestHandler):
            protocol_version = 'HTTP/1.0'  # one request per connection

            def log_message(self, *args):
                pass

            def do_GET(self):
                server.requests.append((self.path, self.headers.get('User-Agent', '')))
                server.arrivals.append((self.path, time.time()))
                answer = server.answers.get(self.path, Answer(b'not here', status=404))
                try:
                    self.answer(answer)
                except (BrokenPipeError, ConnectionResetError):
                    pass  # the client went away, as after a cancel

            def answer(self, answer):
                if answer.mode == 'close_mid_header':
                    self.wfile.write(b'HTTP/1.0 200 OK\r\nContent-Ty')
                    self.wfile.flush()
                    return
                self.send_response(answer.status)
                self.send_header('Content-Type', 'application/octet-stream')
                if answer.mode != 'no_length':
                    self.send_header('Content-Length', str(answer.length))
                self.end_headers()
                body = answer.body
                for start in range(0, len(body), answer.chunk):
                    self.wfile.write(body[start:start + answer.chunk])
                    self.wfile.flush()
                    if answer.pause:
                        time.sleep(answer.pause)

        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', port), Handler)
        self.httpd.daemon_threads = True
        self.thread = threading.Thread(target=self.httpd.serve_forever, daemon=True)

    def __enter__(self):
        self.thread.start()
        return self

    def __exit__(self, *exc):
        self.httpd.shutdown()
        self.httpd.server_close()

    def paths(self):
        return [path for path, _agent in self.requests]
