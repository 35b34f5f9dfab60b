"""Bad input gets the library's one-line message as a ValueError (or TypeError for a wrong type)."""

import datetime

import numpy as np
import pytest

import velunta

CALENDAR = velunta.BusinessCalendar()
DATETIME = datetime.datetime(2026, 5, 6, 9, tzinfo=datetime.timezone.utc)

CASES = [
    # (name, call, exception, words the message holds)
    ("out of range", lambda: velunta.holiday(datetime.date(2400, 1, 1)), velunta.DateError, "date out of range"),
    ("out of range text", lambda: velunta.is_holiday("1599-12-31"), velunta.DateError, "date out of range"),
    ("impossible date", lambda: velunta.holiday("2026-02-30"), velunta.DateError, "not a date: '2026-02-30'"),
    ("datetime", lambda: velunta.is_holiday(DATETIME), TypeError, 'astimezone(ZoneInfo("Asia/Tokyo")).date()'),
    ("datetime in a list", lambda: velunta.is_holiday([datetime.date(2026, 1, 1), DATETIME]), TypeError, "d.date()"),
    ("not a date", lambda: velunta.is_holiday(20260506), TypeError, "got an array of int64"),
    ("NaT", lambda: velunta.is_holiday(np.array(["2026-01-01", "NaT"], "datetime64[D]")), velunta.DateError, "for element 1: 'NaT'"),
    ("NaT alone", lambda: velunta.is_holiday(np.datetime64("NaT")), velunta.DateError, "not a date: 'NaT'"),
    ("time of day", lambda: CALENDAR.is_business_day(np.array(["2026-01-01T00", "2026-01-01T09"], "datetime64[ns]")), velunta.DateError, "time of day in a date for element 1"),
    ("2-d index", lambda: velunta.is_day_off(np.array([["2026-01-01"], ["2400-01-01"]], "datetime64[D]")), velunta.DateError, "element (1, 0)"),
    ("year", lambda: velunta.holidays(1599), velunta.DateError, "year out of range: '1599'"),
    ("range order", lambda: velunta.holidays_between("2026-05-06", "2026-05-01"), velunta.DateError, "start after end"),
    ("too many", lambda: velunta.next_holidays("2399-12-01", 5), velunta.DateError, "only 0 of 5 days off after 2399-12-01"),
    ("result out of range", lambda: CALENDAR.add("2399-12-31", 1), velunta.DateError, "result out of range: add 2399-12-31 1"),
    ("vector result out of range", lambda: CALENDAR.add(["2026-01-01", "2399-12-31"], [1, 1]), velunta.DateError, "(element 1)"),
    ("inclusive order", lambda: CALENDAR.count("2026-05-06", "2026-05-01", inclusive=True), velunta.DateError, "first date after last date"),
    ("convention", lambda: CALENDAR.roll("2026-05-06", "next"), ValueError, "accepted: following, preceding"),
    ("labels", lambda: velunta.holidays(2026, labels="cabinet"), ValueError, "accepted: law, official"),
    ("weekday", lambda: velunta.BusinessCalendar(weekend=["sat"]), ValueError, "bad weekday 'sat' in weekend"),
    ("weekday number", lambda: velunta.BusinessCalendar(weekend=[7]), ValueError, "bad weekday 7"),
    ("yearly range", lambda: velunta.BusinessCalendar(yearly_closed=["12-29..1-3"]), ValueError, "bad range '12-29..1-3'"),
    ("closed date", lambda: velunta.BusinessCalendar(closed=["2026-02-30"]), velunta.DateError, "element 0"),
]


@pytest.mark.parametrize("call, error, words", [c[1:] for c in CASES], ids=[c[0] for c in CASES])
def test_refusals(call, error, words):
    with pytest.raises(error) as raised:
        call()
    assert words in str(raised.value)
    assert "\n" not in str(raised.value)


def test_bad_calendar_file_names_its_line(tmp_path):
    path = tmp_path / "bad.toml"
    path.write_text('weekend = ["saturday"]\nclosed = ["2026-05-01"]\nyearly_closed = ["12-29..13-01"]\n')
    with pytest.raises(velunta.CalendarFileError) as raised:
        velunta.BusinessCalendar.from_file(path)
    assert (raised.value.file, raised.value.line) == (str(path), 3)
    assert str(raised.value) == f"{path}:3: {raised.value.message}"


def test_bad_law_file_keeps_the_law(tmp_path):
    path = tmp_path / "law.toml"
    path.write_text("version = 1\n")
    before = velunta.law()
    with pytest.raises(velunta.CalendarFileError):
        velunta.use_law(path)
    assert velunta.law() == before


def test_midnight_values_of_finer_units_are_days():
    days = np.array(["2026-05-06", "2026-05-07"], "datetime64[ns]")
    assert velunta.is_holiday(days).tolist() == [True, False]
    assert velunta.is_holiday(np.datetime64("2026-05-06T00:00:00")) is True
