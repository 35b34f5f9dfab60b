"""The README's examples of the Python package: type-checked with mypy --strict and run by the tests."""

import datetime
import importlib.util

import numpy as np

import velunta

# One day, a year, the next holiday.
print(velunta.holiday("2026-05-06"))  # Holiday(date=datetime.date(2026, 5, 6), name='振替休日', ...)
print(velunta.is_holiday(datetime.date(2026, 5, 6)))  # True
print([h.name for h in velunta.holidays(2026)][:3])  # ['元日', '成人の日', '建国記念の日']
print(velunta.next_holiday("2026-05-07"))  # 2026-07-20 海の日
print(velunta.equinoxes(2026)[0].instant)  # 2026-03-20 14:45:51.397000+00:00

# A business calendar: closed over the New Year, a Saturday worked.
office = velunta.BusinessCalendar(yearly_closed=["12-29..01-03"], working=["2026-11-21"])
print(office.add(datetime.date(2026, 12, 28), 1))  # 2027-01-04
print(office.count("2026-11-16", "2026-11-22", inclusive=True))  # 6
print(office.roll("2026-05-03", "modified-following"))  # 2026-05-07

# Many dates at once: NumPy arrays in, NumPy arrays out.
days = np.arange("2026-01-01", "2027-01-01", dtype="datetime64[D]")
print(int(velunta.is_holiday(days).sum()))  # 18
print(office.add(days[:3], 5))  # ['2026-01-09' '2026-01-09' '2026-01-09']

# A pandas column: .to_numpy() gives datetime64[ns] at midnight, read as days.
if importlib.util.find_spec("pandas") is not None:
    import pandas as pd  # type: ignore[import]  # Debian's pandas has no type stubs

    frame = pd.DataFrame({"due": pd.date_range("2026-04-27", periods=10, freq="D")})
    frame["business"] = office.is_business_day(frame["due"].to_numpy())
    frame["settles"] = office.add(frame["due"].to_numpy(), 2)
    print(frame)
