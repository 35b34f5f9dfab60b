// Results as plain objects: the engine writes them as the server's JSON does, and each object
// keeps that row as its toJSON(), so JSON.stringify writes exactly what the server writes while
// the object itself reads with JavaScript's camelCase names.
import { refusal } from "./engine.js";

const HOLIDAY_KEYS = ["date", "name", "name_en", "kind", "predicted"];

function camelCase(key) {
  return key.replace(/_([a-z])/g, (_, letter) => letter.toUpperCase());
}

function shaped(row, keys) {
  const object = {};
  for (const key of keys) object[camelCase(key)] = row[key];
  Object.defineProperty(object, "toJSON", { value: () => ({ ...row }) });
  return object;
}

// Returns the rows of an engine answer, throwing its refusal for an empty text.
function rows(text) {
  if (text === "") throw refusal();
  return JSON.parse(text);
}

// Returns holidays (and plain Sundays): {date, name, nameEn, kind, predicted}.
export function days(text) {
  return rows(text).map((row) => shaped(row, HOLIDAY_KEYS));
}

// Returns closed days or equinoxes, with every key of the server's rows.
export function records(text) {
  return rows(text).map((row) => shaped(row, Object.keys(row)));
}
