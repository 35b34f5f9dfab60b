"""Vector calls from several threads at once answer as one thread does."""

from concurrent.futures import ThreadPoolExecutor

import numpy as np

import velunta


def test_vector_calls_from_threads():
    days = np.arange("1948-01-01", "2399-12-31", dtype="datetime64[D]")
    calendar = velunta.BusinessCalendar(bank_closing_days=True)
    calls = [lambda: velunta.is_holiday(days), lambda: calendar.is_business_day(days),
             lambda: calendar.add(days[:50_000], 7), lambda: calendar.count(days[:50_000], days[-50_000:])]
    alone = [call() for call in calls]
    with ThreadPoolExecutor(max_workers=8) as pool:
        together = list(pool.map(lambda i: calls[i % len(calls)](), range(32)))
    for i, answer in enumerate(together):
        assert np.array_equal(answer, alone[i % len(calls)])
