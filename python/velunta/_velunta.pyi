"""Types of the extension module; velunta's own docstring states the date rules."""

import datetime
import os
from collections.abc import Iterable, Sequence
from typing import Any, overload

import numpy as np
import numpy.typing as npt

from ._values import ClosedDay, Equinox, Holiday, LawInfo

# One date: a datetime.date (never a datetime.datetime: refused with TypeError), a date text as
# the command reads it ("2026-05-06", "令和8年5月6日"), a numpy.datetime64 naming a whole day.
DateLike = datetime.date | str | np.datetime64
# Many dates: anything numpy.asarray reads as dates (datetime64 arrays of unit D, or of a finer
# unit at midnight; sequences of dates or date texts).
DateArray = npt.NDArray[Any] | Sequence[datetime.date] | Sequence[np.datetime64] | list[str]
IntArray = npt.NDArray[np.integer[Any]] | Sequence[int]
Labels = str
__version__: str  # "law" (the law's names) or "official" (the Cabinet Office list's labels)

def holiday(d: DateLike, *, labels: Labels = "law") -> Holiday | None:
    """The holiday on a date, or None."""

@overload
def is_holiday(d: DateLike) -> bool: ...
@overload
def is_holiday(d: DateArray) -> npt.NDArray[np.bool_]: ...
@overload
def is_day_off(d: DateLike) -> bool: ...
@overload
def is_day_off(d: DateArray) -> npt.NDArray[np.bool_]: ...
def holidays(year: int, *, sundays: bool = False, labels: Labels = "law") -> list[Holiday]:
    """The holidays of a year (with sundays, also the Sundays no holiday falls on)."""

def holidays_between(
    start: DateLike, end: DateLike, *, sundays: bool = False, labels: Labels = "law"
) -> list[Holiday]:
    """The holidays from start to end, both included."""

def next_holiday(
    d: DateLike | None = None, *, sundays: bool = False, labels: Labels = "law"
) -> Holiday | None:
    """The first holiday strictly after d (today in Japan when None); None past 2399."""

def previous_holiday(
    d: DateLike | None = None, *, sundays: bool = False, labels: Labels = "law"
) -> Holiday | None:
    """The last holiday strictly before d (today in Japan when None); None before 1948-09-23."""

def next_holidays(
    d: DateLike | None = None, count: int = 1, *, sundays: bool = False, labels: Labels = "law"
) -> list[Holiday]:
    """The count holidays strictly after d, nearest first; DateError when fewer remain."""

def previous_holidays(
    d: DateLike | None = None, count: int = 1, *, sundays: bool = False, labels: Labels = "law"
) -> list[Holiday]:
    """The count holidays strictly before d, nearest first; DateError when fewer remain."""

def equinoxes(year: int) -> tuple[Equinox, Equinox]:
    """The vernal and the autumnal equinox of a year of 1600..2399."""

def law() -> LawInfo:
    """The law in use."""

def use_law(path: str | os.PathLike[str]) -> LawInfo:
    """Answers by the law file at path from now on (CalendarFileError when it is not entirely
    right, and the law in use stays). Business calendars made before keep their days."""

class BusinessCalendar:
    """A business calendar: closed on the weekend's weekdays, the law's holidays (unless
    national_holidays is False), the banks' closing days (Dec 31, Jan 2, 3), the government
    offices' (Dec 29 .. Jan 3), yearly closures ("12-29..01-03" or ("12-29", "01-03")) and the
    closed dates; a working date is open whatever closes it. Weekdays are English names
    ("saturday") or numbers as date.weekday() gives them (0 Monday)."""

    def __init__(
        self,
        weekend: Iterable[str | int] = ("saturday", "sunday"),
        national_holidays: bool = True,
        bank_closing_days: bool = False,
        government_closing_days: bool = False,
        yearly_closed: Iterable[str | tuple[str, str]] = (),
        closed: DateArray | tuple[DateLike, ...] = (),
        working: DateArray | tuple[DateLike, ...] = (),
    ) -> None: ...
    @staticmethod
    def from_file(path: str | os.PathLike[str]) -> BusinessCalendar:
        """The calendar of a TOML calendar file, as the command reads it."""

    @overload
    def is_business_day(self, d: DateLike) -> bool: ...
    @overload
    def is_business_day(self, d: DateArray) -> npt.NDArray[np.bool_]: ...
    @overload
    def add(self, d: DateLike, n: int) -> datetime.date:
        """The n-th business day after d (before it for n < 0), d never counted; n == 0 is d."""

    @overload
    def add(self, d: DateArray, n: int | IntArray) -> npt.NDArray[np.datetime64]: ...
    @overload
    def add(self, d: DateLike, n: IntArray) -> npt.NDArray[np.datetime64]: ...
    @overload
    def count(self, start: DateLike, end: DateLike, *, inclusive: bool = False) -> int:
        """Business days d with start <= d < end (minus those with end <= d < start when
        end < start); with inclusive=True, start <= d <= end (DateError when start > end)."""

    @overload
    def count(
        self, start: DateArray, end: DateLike | DateArray, *, inclusive: bool = False
    ) -> npt.NDArray[np.int64]: ...
    @overload
    def count(
        self, start: DateLike, end: DateArray, *, inclusive: bool = False
    ) -> npt.NDArray[np.int64]: ...
    def next(self, d: DateLike) -> datetime.date:
        """The first business day after d."""

    def previous(self, d: DateLike) -> datetime.date:
        """The last business day before d."""

    def roll(self, d: DateLike, convention: str = "following") -> datetime.date:
        """d when it is a business day, else the one the convention picks: "following",
        "preceding", "modified-following", "modified-preceding"."""

    def closed_days(
        self, year_or_start: int | DateLike, end: DateLike | None = None
    ) -> list[ClosedDay]:
        """The closed days of a year, or of start..end both included, with their reasons."""
