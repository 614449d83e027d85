#!/usr/bin/env python3
"""The demo download server of the Corvane setup program.

Serves the demo installers (setup/demo/www by default) over HTTP on the
loopback interface only, so the setup program's steps can be clicked through
on a machine without the real download server:

    python3 scripts/demo_server.py --port 8471 --root setup/demo/www

The setup program finds it at http://127.0.0.1:8471 unless
CORVANE_DOWNLOAD_BASE names another address. --rate slows the transfers
down (bytes per second) so the progress bar can be watched.
"""

import argparse
import http.server
import os
import sys
import time

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "setup", "demo", "www")
CHUNK = 4096


def make_handler(root, rate):
    class Handler(http.server.SimpleHTTPRequestHandler):
        def __init__(self, *args, **kwargs):
            super().__init__(*args, directory=root, **kwargs)

        def list_directory(self, path):
            # Only the installers are served, no listings.
            self.send_error(404, "File not found")
            return None

        def guess_type(self, path):
            return "application/octet-stream"

        def copyfile(self, source, outputfile):
            if rate <= 0:
                return super().copyfile(source, outputfile)
            chunk = max(1, min(CHUNK, rate // 10))
            while True:
                data = source.read(chunk)
                if not data:
                    break
                outputfile.write(data)
                outputfile.flush()
                time.sleep(len(data) / rate)

    return Handler


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=8471, help="TCP port (default 8471)")
    parser.add_argument("--root", default=ROOT, help="folder to serve (default setup/demo/www)")
    parser.add_argument("--rate", type=int, default=0,
                        help="bytes per second per transfer, 0 for no limit (default)")
    args = parser.parse_args()

    root = os.path.abspath(args.root)
    if not os.path.isdir(root):
        parser.error(f"no such folder: {root}")
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port),
                                             make_handler(root, args.rate))
    print(f"demo server: serving {root} at http://127.0.0.1:{server.server_address[1]}",
          flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
