// The package under test: the folder the build assembled, named by VELUNTA_JS_PACKAGE.
import { execFileSync } from "node:child_process";
import { pathToFileURL } from "node:url";
import { join } from "node:path";

export const velunta = await import(pathToFileURL(join(process.env.VELUNTA_JS_PACKAGE, "index.js")).href);

// Returns the rows the velunta command writes as JSON for the arguments.
export function command(...args) {
  const out = execFileSync(process.env.VELUNTA_BINARY, [...args, "--format=json"], {
    encoding: "utf8",
    maxBuffer: 1 << 28,
  });
  return JSON.parse(out);
}
