// What the package weighs: each file a page or Node loads (the wasm and the JavaScript glue, not
// the types), raw and gzipped at level 9, and the wasm's sections, which say what takes the bytes.
import { gzipSync } from 'node:zlib';
import { readdirSync, readFileSync } from 'node:fs';
import { join, relative } from 'node:path';

const kLoaded = /\.(wasm|js|mjs|cjs)$/;
const kSectionNames = ['custom', 'type', 'import', 'function', 'table', 'memory', 'global',
  'export', 'start', 'element', 'code', 'data', 'data count'];
// The base64 form in which a single-file build carries its wasm inside the glue.
const kInlined = /data:application\/octet-stream;base64,([A-Za-z0-9+/=]+)/;

function listFiles(dir) {
  return readdirSync(dir, { withFileTypes: true }).flatMap((entry) => {
    const path = join(dir, entry.name);
    if (entry.isDirectory()) return entry.name === 'node_modules' ? [] : listFiles(path);
    return [path];
  });
}

function readLeb(bytes, at) {
  let value = 0;
  let shift = 0;
  let byte;
  do {
    byte = bytes[at++];
    value += (byte & 0x7f) * 2 ** shift;
    shift += 7;
  } while (byte & 0x80);
  return [value, at];
}

// Returns the sections of a wasm binary, largest first: [{name, bytes}], custom sections by
// their own names.
export function wasmSections(bytes) {
  const sections = [];
  if (bytes.length < 8 || bytes.readUInt32LE(0) !== 0x6d736100) return sections; // "\0asm"
  let at = 8; // magic and version
  while (at < bytes.length) {
    const id = bytes[at];
    const [length, start] = readLeb(bytes, at + 1);
    let name = kSectionNames[id] ?? `section ${id}`;
    if (id === 0) {
      const [nameLength, nameStart] = readLeb(bytes, start);
      name = `custom "${Buffer.from(bytes.subarray(nameStart, nameStart + nameLength)).toString()}"`;
    }
    sections.push({ name, bytes: start + length - at });
    at = start + length;
  }
  return sections.sort((a, b) => b.bytes - a.bytes);
}

export function measureSize(packageDir) {
  const files = listFiles(packageDir)
    .filter((path) => kLoaded.test(path))
    .map((path) => {
      const content = readFileSync(path);
      return {
        name: relative(packageDir, path),
        content,
        bytes: content.length,
        gzipped: gzipSync(content, { level: 9 }).length,
      };
    });
  let wasm = files.find((file) => file.name.endsWith('.wasm'))?.content;
  for (const file of files) {
    const inlined = wasm ? null : file.content.toString('latin1').match(kInlined);
    if (inlined) wasm = Buffer.from(inlined[1], 'base64');
  }
  // The engine proper: the wasm and the glue Emscripten wrote for it (the same base name).
  const wasmFile = files.find((file) => file.name.endsWith('.wasm'));
  const engineFiles = wasmFile
    ? files.filter((file) => file.name.replace(/\.(wasm|js|mjs|cjs)$/, '') === wasmFile.name.replace(/\.wasm$/, ''))
    : [];
  return {
    engineGzipped: engineFiles.reduce((sum, file) => sum + file.gzipped, 0),
    files: files.map(({ name, bytes, gzipped }) => ({ name, bytes, gzipped })),
    bytes: files.reduce((sum, file) => sum + file.bytes, 0),
    gzipped: files.reduce((sum, file) => sum + file.gzipped, 0),
    sections: wasm ? wasmSections(wasm) : [],
  };
}
