"""The README's examples run, and Debian's mypy --strict accepts them against the stubs."""

import pathlib
import subprocess
import sys

EXAMPLES = pathlib.Path(__file__).with_name("readme_examples.py")


def test_examples_run():
    result = subprocess.run([sys.executable, str(EXAMPLES)], capture_output=True, text=True)
    assert result.returncode == 0, result.stderr
    assert "2027-01-04" in result.stdout


def test_examples_and_stubs_type_check(tmp_path):
    mypy = [sys.executable, "-m", "mypy", "--strict", "--no-incremental", "--cache-dir", str(tmp_path)]
    for target in ([str(EXAMPLES)], ["-p", "velunta"]):
        result = subprocess.run(mypy + target, capture_output=True, text=True)
        assert result.returncode == 0, result.stdout + result.stderr
