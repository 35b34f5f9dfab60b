#!/usr/bin/python3
"""The velunta module's speed against what Python users use for Japan's days off today.

In one process with Debian's python3: python3-holidays (``d in holidays.Japan()``) for single
dates, once its years are built and on the first question of a year; NumPy's ``is_busday`` and
``busday_count``, given velunta's holidays as a ``busdaycalendar``, for arrays of dates. Every
comparison first checks the answers: NumPy's must equal velunta's; python-holidays' differences
are counted and shown, not asserted (version 0.10 misses later acts and many substitute days).

  PYTHONPATH=build/default/python /usr/bin/python3 python/bench/bench.py   # a few seconds
  PYTHONPATH=build/default/python /usr/bin/python3 python/bench/bench.py --quick

--quick runs each part once on a few dates, as the ctest does so that the script cannot rot: its
answers are checked, its times mean nothing. Times are medians over the repeats, in ns per date
(per span for count), the Python loop or the call included.
"""

from __future__ import annotations

import argparse
import datetime
import random
import statistics
import sys
import time
from collections.abc import Callable, Sequence
from typing import Any

import holidays
import numpy as np

import velunta

# python-holidays 0.10 computes Japan's holidays for these years only.
PEER_FIRST_YEAR, PEER_LAST_YEAR = 1949, 2099
FIRST_YEAR, LAST_YEAR = 1948, 2399
SPAN_DAYS = 3652  # ten years, two or three of them leap years
SPAN_COUNT = 4096


def require(ok: bool, message: str) -> None:
    """Stops the benchmark when two sides disagree (a plain assert would vanish under -O)."""
    if not ok:
        raise SystemExit(f"bench.py: {message}")


def median_ns(run: Callable[[], Any], items: int, repeat: int, number: int = 1) -> float:
    """Median over `repeat` timings of `number` runs, in ns per item."""
    times = []
    for _ in range(repeat):
        start = time.perf_counter_ns()
        for _ in range(number):
            run()
        times.append((time.perf_counter_ns() - start) / number / items)
    return statistics.median(times)


def all_days(first: int, last: int) -> list[datetime.date]:
    day, end, step = datetime.date(first, 1, 1), datetime.date(last, 12, 31), datetime.timedelta(1)
    out = []
    while day <= end:
        out.append(day)
        day += step
    return out


class Report:
    def __init__(self) -> None:
        self.rows: list[tuple[str, str, str, str]] = []

    def add(self, what: str, ours: float, peer_name: str, peer: float) -> None:
        self.rows.append((what, f"{ours:,.1f} ns", f"{peer_name}: {peer:,.1f} ns",
                          f"{peer / ours:,.1f}x"))
        print(f"  {what}: velunta {ours:,.1f} ns, {peer_name} {peer:,.1f} ns, {peer / ours:,.1f}x",
              flush=True)

    def table(self) -> str:
        head = ("what (median, ns a date or span)", "velunta", "peer", "velunta faster by")
        lines = ["| " + " | ".join(head) + " |", "|" + " --- |" * len(head)]
        lines += ["| " + " | ".join(row) + " |" for row in self.rows]
        return "\n".join(lines)


def scalar(report: Report, repeat: int, quick: bool) -> None:
    print("== one date at a time, against python-holidays", holidays.__version__, flush=True)
    dates = all_days(PEER_FIRST_YEAR, PEER_LAST_YEAR)
    if quick:
        dates = dates[::97]
    is_holiday = velunta.is_holiday
    japan = holidays.Japan()
    differ = [d for d in dates if (d in japan) != is_holiday(d)]  # builds every year: warm now
    print(f"  python-holidays differs from velunta on {len(differ)} of {len(dates)} dates"
          + (f", e.g. {', '.join(map(str, differ[:4]))}" if differ else ""))

    def ours() -> None:
        for d in dates:
            is_holiday(d)

    def peer() -> None:
        for d in dates:
            d in japan  # the look-up is what is timed

    def empty() -> None:
        for _ in dates:
            pass

    n, number = len(dates), 1 if quick else 3
    print(f"  the loop alone: {median_ns(empty, n, repeat, number):.1f} ns a date")
    report.add(f"is_holiday(d), every date {PEER_FIRST_YEAR}–{PEER_LAST_YEAR}, warm",
               median_ns(ours, n, repeat, number), "`d in Japan()` (years built)",
               median_ns(peer, n, repeat, number))

    # The first question of each year: python-holidays must compute that year first.
    rng = random.Random(19)
    firsts = [datetime.date(y, rng.randint(1, 12), rng.randint(1, 28))
              for y in range(PEER_FIRST_YEAR, PEER_LAST_YEAR + 1)]
    rng.shuffle(firsts)
    if quick:
        firsts = firsts[:10]

    def ours_cold() -> None:
        for d in firsts:
            is_holiday(d)

    def peer_cold() -> None:
        fresh = holidays.Japan()
        for d in firsts:
            d in fresh

    report.add("is_holiday(d), the first question of a year (cold)",
               median_ns(ours_cold, len(firsts), repeat), "`d in Japan()` (year computed)",
               median_ns(peer_cold, len(firsts), repeat))


def vector(report: Report, repeat: int, quick: bool) -> None:
    print("== arrays of dates, against NumPy", np.__version__, flush=True)
    days = np.arange(f"{FIRST_YEAR}-01-01", f"{LAST_YEAR + 1}-01-01", dtype="datetime64[D]")
    listed = [h.date for y in range(FIRST_YEAR, LAST_YEAR + 1) for h in velunta.holidays(y)]
    numpy_calendar = np.busdaycalendar(weekmask="1111100",
                                       holidays=np.array(listed, dtype="datetime64[D]"))
    ours_calendar = velunta.BusinessCalendar()

    ours_answer = ours_calendar.is_business_day(days)
    peer_answer = np.is_busday(days, busdaycal=numpy_calendar)
    require(ours_answer.dtype == np.bool_ and ours_answer.shape == days.shape,
            f"is_business_day answered {ours_answer.dtype} of shape {ours_answer.shape}")
    mismatch = np.flatnonzero(ours_answer != peer_answer)
    require(mismatch.size == 0, f"is_business_day differs from NumPy on {days[mismatch[:5]]}")
    print(f"  is_business_day agrees with is_busday on all {days.size:,} dates "
          f"({len(listed):,} holidays, {int(ours_answer.sum()):,} business days)")

    rng = np.random.default_rng(19)
    starts = days[rng.integers(0, days.size - SPAN_DAYS, SPAN_COUNT)]
    ends = starts + np.timedelta64(SPAN_DAYS, "D")
    ours_count = np.asarray(ours_calendar.count(starts, ends))
    peer_count = np.busday_count(starts, ends, busdaycal=numpy_calendar)
    require(ours_count.shape == starts.shape, f"count answered the shape {ours_count.shape}")
    mismatch = np.flatnonzero(ours_count != peer_count)
    require(mismatch.size == 0, f"count differs from busday_count from {starts[mismatch[:5]]}")
    print(f"  count agrees with busday_count on all {SPAN_COUNT:,} spans of {SPAN_DAYS:,} days")

    number = 1 if quick else 20
    n = days.size
    ours_ns = median_ns(lambda: ours_calendar.is_business_day(days), n, repeat, number)
    report.add(f"BusinessCalendar().is_business_day(array), every date {FIRST_YEAR}–{LAST_YEAR}",
               ours_ns, "`numpy.is_busday`",
               median_ns(lambda: np.is_busday(days, busdaycal=numpy_calendar), n, repeat, number))
    report.add(f"BusinessCalendar().count(starts, ends), {SPAN_COUNT:,} ten-year spans (a span)",
               median_ns(lambda: ours_calendar.count(starts, ends), SPAN_COUNT, repeat, number),
               "`numpy.busday_count`",
               median_ns(lambda: np.busday_count(starts, ends, busdaycal=numpy_calendar),
                         SPAN_COUNT, repeat, number))

    # What bounds the vector form: a call's fixed cost, then per date what any binding must do
    # at least (read the input as day numbers, allocate the answer); the rest is the checked
    # reading of each date and the library's lookup.
    one = days[:1]
    call_ns = median_ns(lambda: ours_calendar.is_business_day(one), 1, repeat, 100 * number)
    copy_ns = median_ns(lambda: days.view(np.int64).copy(), n, repeat, number)
    alloc_ns = median_ns(lambda: np.empty(n, dtype=np.bool_), n, repeat, number)
    # datetime64[ns] ends in 2262.
    pandas_days = days[days < np.datetime64("2262-01-01")].astype("datetime64[ns]")
    require(np.array_equal(ours_calendar.is_business_day(pandas_days),
                           ours_answer[:pandas_days.size]),
            "is_business_day answers datetime64[ns] otherwise than datetime64[D]")
    ns_ns = median_ns(lambda: ours_calendar.is_business_day(pandas_days), pandas_days.size,
                      repeat, number)
    print(f"  what bounds is_business_day over {n:,} dates ({ours_ns:.2f} ns a date): "
          f"a call {call_ns / 1000:.2f} µs; copying the input as day numbers "
          f"{copy_ns:.2f} ns and allocating the answer {alloc_ns:.2f} ns a date; the rest, "
          f"{max(ours_ns - copy_ns - alloc_ns, 0):.2f} ns, checks each date (NaT, time of day, "
          f"range) and looks it up")
    print(f"  the dates of 1948–2261 as datetime64[ns] (a pandas column): {ns_ns:.2f} ns a date")


def main(argv: Sequence[str]) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--repeat", type=int, default=31, help="timings per figure (median)")
    parser.add_argument("--quick", action="store_true",
                        help="one short repeat of each: checks the answers, measures nothing")
    args = parser.parse_args(argv)
    repeat = 1 if args.quick else max(args.repeat, 1)
    print(f"Python {sys.version.split()[0]} ({sys.executable}), velunta from "
          f"{velunta.__file__}")
    report = Report()
    scalar(report, repeat, args.quick)
    vector(report, repeat, args.quick)
    print()
    print(report.table())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
