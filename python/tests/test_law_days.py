"""Every date of 1948..2399 answers as the C++ library answers through the command."""

import datetime

import numpy as np

import velunta
from conftest import FIRST, LAST


def as_holiday(row: dict[str, object]) -> velunta.Holiday:
    return velunta.Holiday(datetime.date.fromisoformat(str(row["date"])), str(row["name"]),
                           str(row["name_en"]), str(row["kind"]), bool(row["predicted"]))


def test_every_date_scalar(command_days):
    expected = {h.date: h for h in map(as_holiday, command_days[False])}
    day = FIRST
    wrong = []
    while day <= LAST:
        if velunta.holiday(day) != expected.get(day) or velunta.is_holiday(day) != (day in expected):
            wrong.append(day)
        day += datetime.timedelta(days=1)
    assert wrong == []


def test_every_date_vector(command_days):
    days = np.arange(np.datetime64(FIRST), np.datetime64(LAST) + 1)
    for sundays, answer in ((False, velunta.is_holiday(days)), (True, velunta.is_day_off(days))):
        expected = np.isin(days, np.array([r["date"] for r in command_days[sundays]], "datetime64[D]"))
        missing, extra = days[expected & ~answer], days[answer & ~expected]
        assert (missing.tolist(), extra.tolist()) == ([], []), f"sundays={sundays}"


def test_lists_by_year_and_range(command_days):
    for sundays in (False, True):
        expected = [as_holiday(r) for r in command_days[sundays]]
        listed = [h for y in range(1948, 2400) for h in velunta.holidays(y, sundays=sundays)]
        assert listed == expected
        assert velunta.holidays_between("1948-01-01", "2399-12-31", sundays=sundays) == expected


def test_nearest_holidays_walk_the_list(command_days):
    expected = [as_holiday(r) for r in command_days[False]]
    for before, after in zip(expected[:400], expected[1:401]):
        assert velunta.next_holiday(before.date) == after
        assert velunta.previous_holiday(after.date) == before
    assert velunta.next_holidays(expected[0].date, 3) == expected[1:4]
    assert velunta.previous_holiday("1948-09-23") is None
