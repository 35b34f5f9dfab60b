"""Japan's national holidays as the law defines them, and business calendars.

Dates in and out:

- ``datetime.date`` is its day. A ``datetime.datetime`` is refused with ``TypeError``: its day
  depends on a time zone; pass ``d.astimezone(ZoneInfo("Asia/Tokyo")).date()`` or ``d.date()``.
- Texts are read as the ``velunta`` command reads them: ``"2026-05-06"``, ``"2026/5/6"``,
  ``"20260506"``, ``"2026年5月6日"``, ``"令和8年5月6日"``.
- ``numpy.datetime64`` values and arrays: unit ``D``; a finer unit (a pandas column's
  ``.to_numpy()`` is ``datetime64[ns]``) only at midnight, since datetime64 has no zone; NaT is
  refused.
- Dates lie in 1600-01-01..2399-12-31. Bad dates raise ``DateError`` (a ``ValueError``); a
  refusal of an array names its first bad element and nothing is returned in part.

``is_holiday``, ``is_day_off``, ``BusinessCalendar.is_business_day``, ``.add`` and ``.count``
also take arrays of dates (anything ``numpy.asarray`` reads as dates) and answer with NumPy
arrays of the same shape, working in C++ without the GIL.
"""

from ._errors import CalendarFileError, DateError
from ._values import ClosedDay, Equinox, Holiday, LawInfo
from ._velunta import (
    BusinessCalendar,
    __version__,
    equinoxes,
    holiday,
    holidays,
    holidays_between,
    is_day_off,
    is_holiday,
    law,
    next_holiday,
    next_holidays,
    previous_holiday,
    previous_holidays,
    use_law,
)

__all__ = [
    "BusinessCalendar",
    "CalendarFileError",
    "ClosedDay",
    "DateError",
    "Equinox",
    "Holiday",
    "LawInfo",
    "equinoxes",
    "holiday",
    "holidays",
    "holidays_between",
    "is_day_off",
    "is_holiday",
    "law",
    "next_holiday",
    "next_holidays",
    "previous_holiday",
    "previous_holidays",
    "use_law",
]
