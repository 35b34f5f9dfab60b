// Code bytes of a wasm binary by function, named by its "name" section (a build linked with
// --profiling-funcs), and summed into groups by name, so that the size report can say what
// takes the bytes.
//   node wasm_functions.mjs FILE.wasm [TOP]
import { readFileSync } from 'node:fs';

function reader(bytes, at = 0) {
  const r = {
    at,
    byte: () => bytes[r.at++],
    leb: () => {
      let value = 0;
      let shift = 0;
      let byte;
      do {
        byte = bytes[r.at++];
        value += (byte & 0x7f) * 2 ** shift;
        shift += 7;
      } while (byte & 0x80);
      return value;
    },
    text: () => {
      const length = r.leb();
      r.at += length;
      return Buffer.from(bytes.subarray(r.at - length, r.at)).toString();
    },
  };
  return r;
}

// Returns [{name, bytes}] for every function defined in the module.
export function functionSizes(bytes) {
  const r = reader(bytes, 8);
  let imported = 0;
  const sizes = [];
  const names = new Map();
  while (r.at < bytes.length) {
    const id = r.byte();
    const length = r.leb();
    const end = r.at + length;
    if (id === 2) { // imports: count the functions, which come first in the index space
      for (let n = r.leb(); n > 0; n -= 1) {
        r.text();
        r.text();
        const kind = r.byte();
        if (kind === 0) { imported += 1; r.leb(); }
        else if (kind === 1) { r.byte(); if (r.byte() & 1) { r.leb(); r.leb(); } else r.leb(); }
        else if (kind === 2) { if (r.byte() & 1) { r.leb(); r.leb(); } else r.leb(); }
        else { r.byte(); r.byte(); }
      }
    } else if (id === 10) { // code: one body per defined function
      for (let n = r.leb(); n > 0; n -= 1) {
        const size = r.leb();
        sizes.push(size);
        r.at += size;
      }
    } else if (id === 0 && r.text() === 'name') {
      while (r.at < end) {
        const kind = r.byte();
        const subEnd = r.leb() + r.at;
        if (kind === 1) {
          for (let n = r.leb(); n > 0; n -= 1) {
            const index = r.leb();
            names.set(index, r.text());
          }
        }
        r.at = subEnd;
      }
    }
    r.at = end;
  }
  return sizes.map((size, i) => ({ name: names.get(imported + i) ?? `#${imported + i}`, bytes: size }));
}

// The groups, first match wins; names are as the name section holds them (demangled).
const kGroups = [
  ['toml++ (calendar files)', /toml::/],
  ['nlohmann::json', /nlohmann::/],
  ['embind and the binding', /emscripten::|velunta::js::|_embind|embind/],
  ['velunta: requests and refusals', /velunta::request::/],
  ['velunta: records (JSON, CSV, iCalendar)', /velunta::records::/],
  ['velunta: law, calendars, business days', /velunta::(calendar|law|business)|velunta::[A-Z]/],
  ['velunta: holiday module and dates', /velunta::(holidays|runtime)|velunta::|Mdl_Velunta::/],
  ['C++ streams and locales', /std::__2::(basic_(i|o|io)stream|basic_(string|stream)buf|ios_base|locale|(money|num|time)_(get|put)|moneypunct|numpunct|ctype|codecvt|collate|messages|__num_|__money_|__time_|__stdinbuf|__stdoutbuf)/],
  ['C++ standard library, the rest', /std::|__cxa|__cxxabiv1|__gxx|operator new|operator delete|__dynamic_cast/],
  // C functions carry a plain name, with no scope and no parameter list.
  ['C library and runtime', /^[A-Za-z_$][\w$.]*$/],
];

export function groupSizes(functions) {
  const groups = new Map(kGroups.map(([name]) => [name, 0]));
  groups.set('other', 0);
  for (const f of functions) {
    const group = kGroups.find(([, pattern]) => pattern.test(f.name))?.[0] ?? 'other';
    groups.set(group, groups.get(group) + f.bytes);
  }
  return [...groups].map(([name, bytes]) => ({ name, bytes })).sort((a, b) => b.bytes - a.bytes);
}

if (import.meta.url === `file://${process.argv[1]}`) {
  const functions = functionSizes(readFileSync(process.argv[2]));
  const total = functions.reduce((sum, f) => sum + f.bytes, 0);
  console.log(`code: ${total} B in ${functions.length} functions`);
  for (const g of groupSizes(functions)) {
    console.log(`  ${g.name}: ${g.bytes} B (${((100 * g.bytes) / total).toFixed(1)} %)`);
  }
  const top = Number(process.argv[3] ?? 15);
  console.log(`largest ${top}:`);
  for (const f of functions.sort((a, b) => b.bytes - a.bytes).slice(0, top)) {
    console.log(`  ${f.bytes} B  ${f.name.slice(0, 140)}`);
  }
}
