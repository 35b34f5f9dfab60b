// Types of the npm package velunta.

/**
 * A date: a text in any form the velunta command reads ("2026-05-06", "2026/5/6", "20260506",
 * "2026年5月6日", "令和8年5月6日", full-width digits) or the day's three numbers. A `Date` is
 * refused with a TypeError: it is an instant, and its day depends on a time zone; say which
 * day with {@link dayInJapan} or {@link localDay}.
 */
export type DateInput = string | { readonly year: number; readonly month: number; readonly day: number };

/** A date as every result writes it: "YYYY-MM-DD". */
export type DateText = string;

/** What makes a day a holiday; "sunday" for a plain Sunday listed with `{sundays: true}`. */
export type HolidayKind = "national" | "special-act" | "substitute" | "citizens" | "sunday";

/** One holiday. `JSON.stringify` writes it as the server's JSON does (name_en, weekday, ...). */
export interface Holiday {
  date: DateText;
  /** Japanese, e.g. "振替休日" (with `labels: "official"`, as the Cabinet Office's list labels it). */
  name: string;
  /** English, e.g. "Substitute Holiday". */
  nameEn: string;
  kind: HolidayKind;
  /** true when the holiday rests on an equinox day not yet announced. */
  predicted: boolean;
}

/** How holidays are labelled: as the law names them, or as the Cabinet Office's list does. */
export type Labels = "law" | "official";

export interface LabelOptions {
  labels?: Labels;
}

export interface ListOptions extends LabelOptions {
  /** Also list the Sundays on which no holiday falls. */
  sundays?: boolean;
}

/** One equinox, with its instant in Japan Standard Time and in UTC. */
export interface Equinox {
  year: number;
  season: "vernal" | "autumnal";
  date: DateText;
  weekday: string;
  instantJst: string;
  instantUtc: string;
  /** "official" when announced as the holiday's date, else a prediction or a computed day. */
  status: string;
}

/** Why a day is closed. */
export type ClosedReason =
  | "holiday"
  | "weekend"
  | "bank-closing-day"
  | "government-closing-day"
  | "yearly-closure"
  | "closed-date";

/** One closed day of a business calendar and every reason that closes it. */
export interface ClosedDay {
  date: DateText;
  weekday: string;
  /** The holiday's names, or "日曜日"/"Sunday" for a Sunday, or "" for another day. */
  name: string;
  nameEn: string;
  kind: string;
  dayOff: boolean;
  predicted: boolean;
  reasons: ClosedReason[];
  /** The reasons in Japanese: 祝日, 週末, 銀行休業日, 行政機関の休日, 年間休業日, 休業日. */
  reasonsJa: string[];
}

export type Weekday = "monday" | "tuesday" | "wednesday" | "thursday" | "friday" | "saturday" | "sunday";

/** The options of a business calendar, as the keys of a calendar file; every one optional. */
export interface BusinessCalendarOptions {
  /** Default ["saturday", "sunday"]. */
  weekend?: Weekday[];
  /** The law's holidays close (default true). */
  nationalHolidays?: boolean;
  /** December 31, January 2 and 3 close (default false). */
  bankClosingDays?: boolean;
  /** December 29 to January 3 close (default false). */
  governmentClosingDays?: boolean;
  /** Closures every year, "MM-DD..MM-DD", which may cross the year end: "12-29..01-03". */
  yearlyClosed?: string[];
  /** Extra closed dates. */
  closed?: DateInput[];
  /** Dates that are worked whatever else closes them. */
  working?: DateInput[];
}

/** A roll convention, as the velunta command words it. */
export type RollConvention = "following" | "preceding" | "modified-following" | "modified-preceding";

/**
 * A business calendar. Its engine memory is freed when it is garbage-collected; `dispose()`
 * (or `using`, where `Symbol.dispose` exists) frees it at once.
 */
export class BusinessCalendar {
  constructor(options?: BusinessCalendarOptions);
  /** Reads a calendar file's text; a mistake throws a RangeError "FILE:LINE: message". */
  static fromToml(text: string, fileName?: string): BusinessCalendar;
  isBusinessDay(date: DateInput): boolean;
  /** The n-th business day after (n > 0) or before (n < 0) the date, which never counts. */
  add(date: DateInput, n: number): DateText;
  /** The business days d with from <= d < to (`from` counts, `to` does not); negative when to < from. */
  count(from: DateInput, to: DateInput): number;
  next(date: DateInput): DateText;
  previous(date: DateInput): DateText;
  roll(date: DateInput, convention?: RollConvention): DateText;
  closedDays(year: number): ClosedDay[];
  dispose(): void;
  [Symbol.dispose](): void;
}

/** The holiday on a date, or null. */
export function holiday(date: DateInput, options?: LabelOptions): Holiday | null;
/** Whether the date is a holiday of any kind. */
export function isHoliday(date: DateInput): boolean;
/** Whether the date is a day off: a holiday or a Sunday. */
export function isDayOff(date: DateInput): boolean;
/** The holidays of a year in date order. */
export function holidays(year: number, options?: ListOptions): Holiday[];
/** The holidays from `from` to `to`, both included. */
export function holidaysBetween(from: DateInput, to: DateInput, options?: ListOptions): Holiday[];
/** The first holiday after the date (today in Japan by default), or null. */
export function nextHoliday(date?: DateInput | null, count?: undefined, options?: ListOptions): Holiday | null;
/** The `count` holidays after the date, nearest first. */
export function nextHoliday(date: DateInput | null | undefined, count: number, options?: ListOptions): Holiday[];
/** The last holiday before the date (today in Japan by default), or null. */
export function previousHoliday(date?: DateInput | null, count?: undefined, options?: ListOptions): Holiday | null;
/** The `count` holidays before the date, nearest first. */
export function previousHoliday(date: DateInput | null | undefined, count: number, options?: ListOptions): Holiday[];
/** The vernal and the autumnal equinox of a year. */
export function equinoxes(year: number): [Equinox, Equinox];
/** The day in Japan at the Date's instant, "YYYY-MM-DD": what a server wants. */
export function dayInJapan(date: Date): DateText;
/** The day this machine's clock shows at the Date's instant, "YYYY-MM-DD": what a form wants. */
export function localDay(date: Date): DateText;
