#!/usr/bin/env python3
"""Two pseudo-terminals joined like a null-modem cable, for testing serial
code under Wine (each end is linked to a COM port). Prints both device
names on one line. When the second end, once opened, is closed again, the
pair goes away: the first end sees the line hang up."""
import os
import select
import sys
import time
import tty

ends = []
for _ in range(2):
    master, slave = os.openpty()
    tty.setraw(slave)
    ends.append((master, os.ttyname(slave)))
    os.close(slave)
print(ends[0][1], ends[1][1], flush=True)
a, b = ends[0][0], ends[1][0]
peer_seen = False
poller = select.poll()
for fd in (a, b):
    poller.register(fd, select.POLLIN)
while True:
    events = dict(poller.poll(200))
    if not events.get(b, 0) & select.POLLHUP:
        peer_seen = True
    elif peer_seen and not events.get(b, 0) & select.POLLIN:
        sys.exit(0)
    for src, dst in ((a, b), (b, a)):
        if events.get(src, 0) & select.POLLIN:
            try:
                data = os.read(src, 4096)
            except OSError:
                continue
            try:
                os.write(dst, data)
            except OSError:
                pass  # the other end is not open yet
    if any(e & select.POLLHUP for e in events.values()):
        time.sleep(0.02)  # an end not open reports a hang-up without end
