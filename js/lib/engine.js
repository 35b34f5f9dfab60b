// The WebAssembly engine, instantiated once when the package is imported: every function of the
// package is synchronous afterwards.
import loadVelunta from "./velunta_wasm.js";

const wasmUrl = new URL("./velunta_wasm.wasm", import.meta.url);

// Returns the engine's binary: read from disk where the package is a file (Node's fetch() takes
// no file: URL), fetched where it is served (a page).
async function wasmBinary() {
  if (wasmUrl.protocol === "file:") {
    // A name in a variable, so that bundlers for the browser leave this import alone.
    const files = "node:fs/promises";
    const { readFile } = await import(/* webpackIgnore: true */ /* @vite-ignore */ files);
    return readFile(wasmUrl);
  }
  const response = await fetch(wasmUrl);
  if (!response.ok) throw new Error(`velunta: cannot load ${wasmUrl}: HTTP ${response.status}`);
  return response.arrayBuffer();
}

export const engine = await loadVelunta({ wasmBinary: await wasmBinary() });

// The number a refused call returns where it answers with a number (kRefused in C++).
export const REFUSED = -2147483648;

// Returns the engine's one-line message for the call it just refused.
export function refusal() {
  return new RangeError(engine.lastRefusal());
}
