#!/usr/bin/python3
"""Drops files onto the X window at a screen point, as a Linux file manager
does (XDND, text/uri-list of file:// URIs). Exits 0 when the target took the
drop, 1 when it refused it, 2 on any other failure (no target, no answer)."""
import sys
import time
import urllib.parse

from Xlib import X, Xatom, display
from Xlib.protocol import event

WAIT_SECONDS = 10


def aware_window(d, x, y):
    """The deepest window under the point that speaks XDND, and its version."""
    root = d.screen().root
    aware = d.intern_atom("XdndAware")
    window, found = root, None
    while window:
        prop = window.get_full_property(aware, Xatom.ATOM)
        if prop and prop.value:
            found = (window, prop.value[0])
        window = window.translate_coords(root, x, y).child or None
    return found


def drop(x, y, paths):
    d = display.Display()
    atom = d.intern_atom
    target = aware_window(d, x, y)
    if not target:
        print("no XDND window at %d,%d" % (x, y), file=sys.stderr)
        return 2
    target, version = target
    version = min(version, 5)
    uri_list = "".join("file://" + urllib.parse.quote(p) + "\r\n" for p in paths).encode()
    uri_type = atom("text/uri-list")
    copy = atom("XdndActionCopy")

    source = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    source.set_selection_owner(atom("XdndSelection"), X.CurrentTime)

    def send(name, *data):
        values = [source.id] + list(data) + [0] * (4 - len(data))
        target.send_event(event.ClientMessage(window=target, client_type=atom(name),
                                              data=(32, values)))
        d.flush()

    def serve(request):
        ok = request.target == uri_type
        if ok:
            request.requestor.change_property(request.property, uri_type, 8, uri_list)
        request.requestor.send_event(event.SelectionNotify(
            time=request.time, requestor=request.requestor, selection=request.selection,
            target=request.target, property=request.property if ok else X.NONE))
        d.flush()

    def wait_for(name):
        """The data of the next client message of this type; None after the wait."""
        wanted = atom(name)
        deadline = time.monotonic() + WAIT_SECONDS
        while time.monotonic() < deadline:
            if not d.pending_events():
                time.sleep(0.01)
                continue
            e = d.next_event()
            if e.type == X.SelectionRequest:
                serve(e)
            elif e.type == X.ClientMessage and e.client_type == wanted:
                return e.data[1]
        print("no %s from the target" % name, file=sys.stderr)
        return None

    send("XdndEnter", version << 24, uri_type)
    # A hand moves: the first position enters, the next one moves over.
    for step in (1, 0):
        send("XdndPosition", 0, ((x - step) << 16) | (y - step), X.CurrentTime, copy)
        status = wait_for("XdndStatus")
        if status is None:
            return 2
    if not status[1] & 1:
        send("XdndLeave")
        return 1
    send("XdndDrop", 0, X.CurrentTime)
    finished = wait_for("XdndFinished")
    if finished is None:
        return 2
    return 0 if version < 5 or finished[1] & 1 else 1


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit("usage: xdnd_drop.py <x> <y> <file>...")
    sys.exit(drop(int(sys.argv[1]), int(sys.argv[2]), sys.argv[3:]))
