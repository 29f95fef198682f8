#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""One timed start of a program under X11, for bench/startup.sh.

Starts PROGRAM, waits until its window titled TITLE is viewable (mapped, and its window manager's
frame too), then after SETTLE seconds reads its resident memory, asks the window to close as a
window manager's close box does, and waits for the program to end. Prints one line:
"MILLISECONDS CPU_MILLISECONDS RESIDENT_KIB EXIT_STATUS WINDOW_WIDTH", where CPU_MILLISECONDS is
the processor time all the program's threads had used when its window was seen viewable: on a
busy machine it varies much less than the wall time.

The wait watches the server's events instead of starting a query process per poll, so the time
is exact to a fraction of a millisecond rather than to one process start.

Usage: startup_run.py TITLE SETTLE PROGRAM [ARGUMENTS...]   (DISPLAY names the server)
"""
import ctypes
import ctypes.util
import os
import select
import subprocess
import sys
import time

SUBSTRUCTURE_NOTIFY = 1 << 19
STRUCTURE_NOTIFY = 1 << 17
IS_VIEWABLE = 2
CLIENT_MESSAGE = 33
XA_CARDINAL = 6
TIMEOUT_S = 10


class AnyWindowEvent(ctypes.Structure):
    # The common start of CreateNotify, MapNotify and ReparentNotify: the window concerned is the
    # sixth field of each.
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("event", ctypes.c_ulong),
                ("window", ctypes.c_ulong)]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("any", AnyWindowEvent), ("client", ClientMessage), ("pad", ctypes.c_long * 24)]


class Attributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
                ("visual", ctypes.c_void_p), ("root", ctypes.c_ulong), ("klass", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


def load_x11():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    p, ul, i = ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int
    x11.XOpenDisplay.restype = p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ul
    x11.XDefaultRootWindow.argtypes = [p]
    x11.XConnectionNumber.argtypes = [p]
    x11.XSelectInput.argtypes = [p, ul, ctypes.c_long]
    x11.XPending.argtypes = [p]
    x11.XNextEvent.argtypes = [p, ctypes.POINTER(XEvent)]
    x11.XFlush.argtypes = [p]
    x11.XSync.argtypes = [p, i]
    x11.XInternAtom.restype = ul
    x11.XInternAtom.argtypes = [p, ctypes.c_char_p, i]
    x11.XFetchName.argtypes = [p, ul, ctypes.POINTER(ctypes.c_char_p)]
    x11.XFree.argtypes = [p]
    x11.XGetWindowAttributes.argtypes = [p, ul, ctypes.POINTER(Attributes)]
    x11.XGetWindowProperty.argtypes = [p, ul, ul, ctypes.c_long, ctypes.c_long, i, ul,
                                       ctypes.POINTER(ul), ctypes.POINTER(i), ctypes.POINTER(ul),
                                       ctypes.POINTER(ul), ctypes.POINTER(p)]
    x11.XSendEvent.argtypes = [p, ul, i, ctypes.c_long, ctypes.POINTER(XEvent)]
    # A window that vanishes between an event and the query about it is no error for us.
    handler = ctypes.CFUNCTYPE(i, p, p)(lambda display, error: 0)
    x11.XSetErrorHandler(handler)
    x11.error_handler = handler
    return x11


def window_pid(x11, display, window, pid_atom):
    actual, fmt = ctypes.c_ulong(), ctypes.c_int()
    count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
    if x11.XGetWindowProperty(display, window, pid_atom, 0, 1, 0, XA_CARDINAL, ctypes.byref(actual),
                              ctypes.byref(fmt), ctypes.byref(count), ctypes.byref(after),
                              ctypes.byref(data)) != 0 or not data.value:
        return None
    pid = ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0] if count.value else None
    x11.XFree(data)
    return pid


def window_name(x11, display, window):
    name = ctypes.c_char_p()
    if not x11.XFetchName(display, window, ctypes.byref(name)) or not name.value:
        return None
    text = name.value.decode("latin-1")
    x11.XFree(name)
    return text


def cpu_ms(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as stat:
                total += int(stat.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total / 1e6


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    title, settle, argv = sys.argv[1], float(sys.argv[2]), sys.argv[3:]
    x11 = load_x11()
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("startup_run: cannot open the display")
    root = x11.XDefaultRootWindow(display)
    pid_atom = x11.XInternAtom(display, b"_NET_WM_PID", 0)
    x11.XSelectInput(display, root, SUBSTRUCTURE_NOTIFY)
    x11.XSync(display, 0)
    fd = x11.XConnectionNumber(display)

    t0 = time.monotonic_ns()
    app = subprocess.Popen(argv, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    candidates, found = set(), None
    event = XEvent()
    while found is None:
        if app.poll() is not None:
            sys.exit(f"startup_run: {argv[0]} ended before showing its window")
        if time.monotonic_ns() - t0 > TIMEOUT_S * 10**9:
            app.kill()
            sys.exit(f"startup_run: no window of {argv[0]} after {TIMEOUT_S} s")
        if not x11.XPending(display):
            select.select([fd], [], [], 0.002)
        while x11.XPending(display):
            x11.XNextEvent(display, ctypes.byref(event))
            window = event.any.window
            if window not in candidates:
                # Its own map events arrive even once a window manager has taken it into a frame.
                x11.XSelectInput(display, window, STRUCTURE_NOTIFY)
                candidates.add(window)
        for window in candidates:
            attributes = Attributes()
            if (x11.XGetWindowAttributes(display, window, ctypes.byref(attributes))
                    and attributes.map_state == IS_VIEWABLE
                    and window_pid(x11, display, window, pid_atom) == app.pid
                    and window_name(x11, display, window) == title):
                found = (window, attributes.width)
                break
    elapsed_ms = (time.monotonic_ns() - t0) / 1e6
    cpu = cpu_ms(app.pid)

    time.sleep(settle)
    with open(f"/proc/{app.pid}/status") as status:
        rss = next(int(line.split()[1]) for line in status if line.startswith("VmRSS:"))
    close = XEvent()
    close.client.type = CLIENT_MESSAGE
    close.client.window = found[0]
    close.client.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    close.client.format = 32
    close.client.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, found[0], 0, 0, ctypes.byref(close))
    x11.XFlush(display)
    try:
        status = app.wait(timeout=TIMEOUT_S)
    except subprocess.TimeoutExpired:
        app.kill()
        status = app.wait()
    print(f"{elapsed_ms:.2f} {cpu:.2f} {rss} {status} {found[1]}")


if __name__ == "__main__":
    main()
