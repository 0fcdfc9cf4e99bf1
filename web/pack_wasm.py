# SPDX-License-Identifier: MIT
"""Writes the WebAssembly as a script the page carries: gzipped (the same
bytes every build: no name, no time) and then base64, so that the one file
weighs the compressed code and not a third more than the raw one. The page
unpacks it with the browser's own DecompressionStream. Zopfli (Debian's
zopfli) writes the gzip stream, 5 % smaller than gzip -9 and read by any
gzip reader; without it, Python's gzip at level 9.

  python3 pack_wasm.py lumora.wasm lumora_wasm.js
"""
import base64
import gzip
import shutil
import subprocess
import sys

wasm, script = sys.argv[1], sys.argv[2]
if shutil.which('zopfli'):
    # Its gzip header carries no name and no time: the same bytes every build.
    compressed = subprocess.run(['zopfli', '--i15', '-c', wasm], check=True, capture_output=True).stdout
else:
    with open(wasm, 'rb') as raw:
        compressed = gzip.compress(raw.read(), compresslevel=9, mtime=0)
packed = base64.b64encode(compressed).decode('ascii')
with open(script, 'w', encoding='ascii') as out:
    out.write(f"const lumoraWasmGzip = '{packed}';\n")
