# Orca opens its debug log with Python's default buffering, so utterances would reach the file
# late, in blocks; the file named by TRESSORA_ORCA_LOG is opened line-buffered instead.
import builtins
import os

_open = builtins.open
_log = os.environ.get("TRESSORA_ORCA_LOG")


def _open_log_line_buffered(file, mode="r", *args, **kwargs):
    if _log and file == _log and "w" in mode and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return _open(file, mode, *args, **kwargs)


builtins.open = _open_log_line_buffered
