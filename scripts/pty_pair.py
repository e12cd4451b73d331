#!/usr/bin/env python3
"""Two pseudo-terminals joined like a null-modem cable, for testing serial
code under Wine (each end is linked to a COM port). Prints both device
names on one line. When the second end sends HANG-UP, the pair goes away
as a radio that is switched off: the first end sees the line hang up."""
import os
import select
import time
import tty

HANG_UP = b"HANG-UP"
ends = []
for _ in range(2):
    master, slave = os.openpty()
    tty.setraw(slave)
    ends.append((master, os.ttyname(slave)))
    os.close(slave)
print(ends[0][1], ends[1][1], flush=True)
a, b = ends[0][0], ends[1][0]
poller = select.poll()
for fd in (a, b):
    poller.register(fd, select.POLLIN)
from_b = b""
while not from_b.endswith(HANG_UP):
    events = dict(poller.poll(200))
    for src, dst in ((a, b), (b, a)):
        if events.get(src, 0) & select.POLLIN:
            try:
                data = os.read(src, 4096)
            except OSError:
                continue
            if src == b:
                from_b = (from_b + data)[-len(HANG_UP):]
            try:
                os.write(dst, data)
            except OSError:
                pass  # the other end is not open yet
    if any(e & select.POLLHUP for e in events.values()):
        time.sleep(0.02)  # an end not open reports a hang-up without end
