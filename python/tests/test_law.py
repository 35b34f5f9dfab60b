"""A newer law file changes every answer, the vector forms' too, and the built-in one comes back."""

import os
import pathlib

import numpy as np
import pytest

import velunta

EXTRA = '\n[[holiday]]\nname = "臨時の休日"\nname_en = "Extra Holiday"\nkind = "special-act"\nmonth = 6\nday = 1\nfirst = 2027\nlast = 2027\n'


def test_newer_law_file(tmp_path):
    law = pathlib.Path(os.environ.get("VELUNTA_LAW_FILE", ""))
    if not law.is_file():
        pytest.skip("VELUNTA_LAW_FILE names no law file")
    newer = tmp_path / "law.toml"
    newer.write_text(law.read_text(encoding="utf-8") + EXTRA, encoding="utf-8")
    june = np.array(["2027-06-01", "2027-06-02"], "datetime64[D]")
    assert velunta.is_holiday(june).tolist() == [False, False]
    try:
        assert velunta.use_law(newer).source == str(newer)
        assert velunta.holiday("2027-06-01").name_en == "Extra Holiday"
        assert velunta.is_holiday(june).tolist() == [True, False]
        assert velunta.BusinessCalendar().is_business_day(june).tolist() == [False, True]
    finally:
        velunta.use_law(law)
    assert velunta.is_holiday(june).tolist() == [False, False]
