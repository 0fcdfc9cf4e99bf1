# SPDX-License-Identifier: MIT
"""Writes the WebAssembly as a script the page carries: gzipped (the same
bytes every build: no name, no time) and then base64, so that the one file
weighs the compressed code and not a third more than the raw one. The page
unpacks it with the browser's own DecompressionStream.

  python3 pack_wasm.py lumora.wasm lumora_wasm.js
"""
import base64
import gzip
import sys

wasm, script = sys.argv[1], sys.argv[2]
with open(wasm, 'rb') as raw:
    packed = base64.b64encode(gzip.compress(raw.read(), compresslevel=9, mtime=0)).decode('ascii')
with open(script, 'w', encoding='ascii') as out:
    out.write(f"const lumoraWasmGzip = '{packed}';\n")
