"""The frozen values velunta answers with."""

from __future__ import annotations

import datetime
from dataclasses import dataclass


@dataclass(frozen=True, order=True)
class Holiday:
    """A day off: ``kind`` is "national", "special-act", "substitute", "citizens", or "sunday"
    for a plain Sunday listed with ``sundays=True``. ``predicted`` marks a holiday that rests on
    an equinox day not yet announced. Values order by date first."""

    date: datetime.date
    name: str
    name_en: str
    kind: str
    predicted: bool


@dataclass(frozen=True)
class Equinox:
    """An equinox: ``season`` "vernal" or "autumnal", ``instant`` a timezone-aware UTC datetime
    (to the millisecond), ``day`` the date in Japan that holds it, ``official`` whether that day
    was announced (else a prediction)."""

    season: str
    instant: datetime.datetime
    day: datetime.date
    official: bool


@dataclass(frozen=True)
class ClosedDay:
    """A closed day of a business calendar and every reason that closes it, as ids
    ("holiday", "weekend", "bank-closing-day", "government-closing-day", "yearly-closure",
    "closed-date") and as Japanese labels; ``holiday`` is the law's holiday when one falls."""

    date: datetime.date
    reasons: tuple[str, ...]
    reasons_ja: tuple[str, ...]
    holiday: Holiday | None


@dataclass(frozen=True)
class LawInfo:
    """The law in use: its data's version, where it came from ("built in" or a file's path),
    and the last year whose equinox days are announced."""

    version: str
    version_date: datetime.date
    source: str
    last_announced_equinox_year: int
