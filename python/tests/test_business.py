"""Business calendars against a model that walks the days one by one."""

import datetime
import glob
import os
import random
import tomllib

import numpy as np
import pytest

import velunta

DAY = datetime.timedelta(days=1)
NAMES = ["monday", "tuesday", "wednesday", "thursday", "friday", "saturday", "sunday"]
CONVENTIONS = ["following", "preceding", "modified-following", "modified-preceding"]


class Model:
    """A calendar's closed days decided one date at a time, from the options as written."""

    def __init__(self, weekend=("saturday", "sunday"), national_holidays=True,
                 bank_closing_days=False, government_closing_days=False, yearly_closed=(),
                 closed=(), working=()):
        self.weekend = {NAMES.index(w) for w in weekend}
        self.national = national_holidays
        self.bank = bank_closing_days
        self.government = government_closing_days
        self.ranges = [tuple(tuple(map(int, md.split("-"))) for md in r.split("..")) for r in yearly_closed]
        self.closed = {datetime.date.fromisoformat(str(d)) for d in closed}
        self.working = {datetime.date.fromisoformat(str(d)) for d in working}

    def open(self, d):
        md = (d.month, d.day)
        in_range = any(first <= md <= last if first <= last else md >= first or md <= last
                       for first, last in self.ranges)
        shut = (d.weekday() in self.weekend or (self.national and velunta.is_holiday(d))
                or (self.bank and md in ((12, 31), (1, 2), (1, 3)))
                or (self.government and (md >= (12, 29) or md <= (1, 3)))
                or in_range or d in self.closed)
        return d in self.working or not shut

    def add(self, d, n):
        step = DAY if n > 0 else -DAY
        for _ in range(abs(n)):
            d += step
            while not self.open(d):
                d += step
        return d

    def count(self, start, end):
        sign = 1 if start <= end else -1
        lo, hi = min(start, end), max(start, end)
        return sign * sum(self.open(lo + i * DAY) for i in range((hi - lo).days))

    def roll(self, d, convention):
        if self.open(d):
            return d
        forward, backward = self.add(d, 1), self.add(d, -1)
        if convention == "following":
            return forward
        if convention == "preceding":
            return backward
        if convention == "modified-following":
            return forward if forward.month == d.month else backward
        return backward if backward.month == d.month else forward


def random_options(rng):
    def some_dates(k):
        return [(datetime.date(2024, 1, 1) + rng.randrange(1100) * DAY).isoformat() for _ in range(k)]
    def month_day():
        return f"{rng.randint(1, 12):02d}-{rng.randint(1, 28):02d}"
    return dict(weekend=rng.sample(NAMES, rng.randint(0, 3)),
                national_holidays=rng.random() < 0.8, bank_closing_days=rng.random() < 0.3,
                government_closing_days=rng.random() < 0.3,
                yearly_closed=[f"{month_day()}..{month_day()}" for _ in range(rng.randint(0, 2))],
                closed=some_dates(rng.randint(0, 20)), working=some_dates(rng.randint(0, 20)))


def check_against(calendar, model, rng, cases=60):
    days = np.arange("2024-01-01", "2027-01-01", dtype="datetime64[D]")
    expected = np.array([model.open(d) for d in days.tolist()])
    assert (calendar.is_business_day(days) == expected).all()
    starts = [datetime.date(2024, 3, 1) + rng.randrange(600) * DAY for _ in range(cases)]
    steps = [rng.randint(-40, 40) for _ in range(cases)]
    ends = [d + rng.randint(-90, 90) * DAY for d in starts]
    for d, n, e in zip(starts, steps, ends):
        assert calendar.add(d, n) == model.add(d, n), (d, n)
        assert calendar.count(d, e) == model.count(d, e), (d, e)
        if d <= e:
            assert calendar.count(d, e, inclusive=True) == model.count(d, e + DAY)
        for convention in CONVENTIONS:
            assert calendar.roll(d, convention) == model.roll(d, convention), (d, convention)
        assert (calendar.next(d), calendar.previous(d)) == (model.add(d, 1), model.add(d, -1))
    assert calendar.add(np.array(starts, "datetime64[D]"), steps).tolist() == [model.add(d, n) for d, n in zip(starts, steps)]
    assert calendar.count(starts, np.array(ends, "datetime64[D]")).tolist() == [model.count(d, e) for d, e in zip(starts, ends)]
    closed = [c.date for c in calendar.closed_days(2025)]
    assert closed == [d for d in days.tolist() if d.year == 2025 and not model.open(d)]


@pytest.mark.parametrize("seed", range(12))
def test_random_calendars(seed):
    rng = random.Random(seed)
    options = random_options(rng)
    check_against(velunta.BusinessCalendar(**options), Model(**options), rng)


def calendar_files():
    folder = os.environ.get("VELUNTA_CALENDARS", "")
    return sorted(glob.glob(os.path.join(folder, "*.toml")))


@pytest.mark.parametrize("path", calendar_files(), ids=os.path.basename)
def test_installed_calendar_files(path):
    with open(path, "rb") as file:
        options = tomllib.load(file)
    check_against(velunta.BusinessCalendar.from_file(path), Model(**options), random.Random(path))


def test_written_calendar_file(tmp_path):
    path = tmp_path / "office.toml"
    path.write_text('weekend = ["friday", "saturday"]\nyearly_closed = ["12-29..01-03", "08-13..08-15"]\n'
                    'closed = ["2025-05-01"]\nworking = ["2025-08-14", "2026-01-02"]\n')
    options = tomllib.loads(path.read_text())
    check_against(velunta.BusinessCalendar.from_file(path), Model(**options), random.Random(7))
    assert velunta.BusinessCalendar(**options).closed_days(2025) == velunta.BusinessCalendar.from_file(path).closed_days(2025)


def test_weekday_numbers_and_range_pairs():
    by_name = velunta.BusinessCalendar(weekend=["friday", "sunday"], yearly_closed=["12-30..01-02"])
    by_number = velunta.BusinessCalendar(weekend=[4, 6], yearly_closed=[("12-30", "01-02")])
    assert by_name.closed_days(2025) == by_number.closed_days(2025)
