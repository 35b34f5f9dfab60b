"""The exceptions velunta raises for bad input: both are ValueErrors."""


class DateError(ValueError):
    """A date that is no date, lies outside 1600-01-01..2399-12-31, or an answer that would.

    The message is the library's one line, e.g. "date out of range for element 2: '2400-01-01';
    accepted: 1600-01-01 to 2399-12-31"; a refusal of an array names its first bad element.
    """


class CalendarFileError(ValueError):
    """A calendar or law file that cannot be used: ``file``, ``line`` (0 for the whole file)
    and ``message``; ``str()`` gives "FILE:LINE: message"."""

    def __init__(self, text: str, file: str, line: int, message: str) -> None:
        super().__init__(text)
        self.file = file
        self.line = line
        self.message = message
