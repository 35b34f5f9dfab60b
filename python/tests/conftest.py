"""What the tests share: the command's answers, which the package must repeat."""

import datetime
import json
import os
import subprocess

import pytest

FIRST = datetime.date(1948, 1, 1)
LAST = datetime.date(2399, 12, 31)


@pytest.fixture(scope="session")
def command_days() -> dict[bool, list[dict[str, object]]]:
    """The command's list of 1948..2399, without and with the plain Sundays."""
    command = os.environ.get("VELUNTA_COMMAND")
    if not command:
        pytest.skip("VELUNTA_COMMAND names no velunta command to compare with")
    days = {}
    for sundays in (False, True):
        args = [command, "list", "1948", "2399", "--format=json"] + (["--sundays"] if sundays else [])
        days[sundays] = json.loads(subprocess.run(args, check=True, capture_output=True).stdout)
    return days
