#!/usr/bin/env python3
"""Drops data on an X11 window the way a file manager does, through the XDND
protocol: a source window of its own owns the drag selection, announces the
drag (XdndEnter), moves over the target (XdndPosition), waits for the target's
answer (XdndStatus), drops (XdndDrop), hands the data over when the target asks
for it (SelectionRequest) and waits for XdndFinished.

Usage: xdnd_drop.py WINDOW_ID X Y (--uri FILE_URL | --text TEXT)
X and Y are root-window coordinates of the point to drop at. Exits 0 when the
target accepted and finished the drop, 1 when it refused it, 2 on a timeout."""
import ctypes
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
Display = ctypes.c_void_p
Window = Atom = Time = ctypes.c_ulong

x11.XOpenDisplay.restype = Display
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = Atom
x11.XInternAtom.argtypes = [Display, ctypes.c_char_p, ctypes.c_int]
x11.XDefaultRootWindow.restype = Window
x11.XDefaultRootWindow.argtypes = [Display]
x11.XCreateSimpleWindow.restype = Window
x11.XCreateSimpleWindow.argtypes = [Display, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                    ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
x11.XSetSelectionOwner.argtypes = [Display, Atom, Window, Time]
x11.XSendEvent.argtypes = [Display, Window, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XPending.argtypes = [Display]
x11.XNextEvent.argtypes = [Display, ctypes.c_void_p]
x11.XFlush.argtypes = [Display]
x11.XChangeProperty.argtypes = [Display, Window, Atom, Atom, ctypes.c_int, ctypes.c_int,
                                ctypes.c_char_p, ctypes.c_int]
x11.XCloseDisplay.argtypes = [Display]

ClientMessage, SelectionRequest, SelectionNotify = 33, 30, 31


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", Display), ("window", Window),
                ("message_type", Atom), ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XSelectionRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", Display), ("owner", Window),
                ("requestor", Window), ("selection", Atom), ("target", Atom),
                ("property", Atom), ("time", Time)]


class XSelectionEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", Display), ("requestor", Window),
                ("selection", Atom), ("target", Atom), ("property", Atom), ("time", Time)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", XClientMessageEvent),
                ("xselectionrequest", XSelectionRequestEvent),
                ("xselection", XSelectionEvent), ("pad", ctypes.c_long * 24)]


def main():
    target = int(sys.argv[1], 0)
    x, y = int(sys.argv[2]), int(sys.argv[3])
    kind, value = sys.argv[4], sys.argv[5]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open display")

    def atom(name):
        return x11.XInternAtom(display, name.encode(), 0)

    if kind == "--uri":
        types = [atom("text/uri-list"), atom("text/plain;charset=utf-8"), atom("UTF8_STRING")]
        payload = {types[0]: (value + "\r\n").encode(), types[1]: value.encode(),
                   types[2]: value.encode()}
    else:
        types = [atom("text/plain;charset=utf-8"), atom("UTF8_STRING"), atom("text/plain")]
        payload = {t: value.encode() for t in types}

    root = x11.XDefaultRootWindow(display)
    source = x11.XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0)
    selection = atom("XdndSelection")
    x11.XSetSelectionOwner(display, selection, source, 0)

    def send(message, data):
        event = XEvent()
        event.xclient.type = ClientMessage
        event.xclient.window = target
        event.xclient.message_type = atom(message)
        event.xclient.format = 32
        for i, d in enumerate(data):
            event.xclient.data[i] = d
        x11.XSendEvent(display, target, 0, 0, ctypes.byref(event))
        x11.XFlush(display)

    def answer(request):
        """Hands the dragged data to the window that asked for it."""
        reply = XEvent()
        reply.xselection.type = SelectionNotify
        reply.xselection.requestor = request.requestor
        reply.xselection.selection = request.selection
        reply.xselection.target = request.target
        reply.xselection.time = request.time
        reply.xselection.property = 0
        data = payload.get(request.target)
        if data is not None and request.property:
            x11.XChangeProperty(display, request.requestor, request.property, request.target,
                                8, 0, data, len(data))
            reply.xselection.property = request.property
        x11.XSendEvent(display, request.requestor, 0, 0, ctypes.byref(reply))
        x11.XFlush(display)

    def wait_for(message, seconds=10):
        """Serves data requests until the target sends this message."""
        wanted = atom(message)
        deadline = time.time() + seconds
        event = XEvent()
        while time.time() < deadline:
            if not x11.XPending(display):
                time.sleep(0.01)
                continue
            x11.XNextEvent(display, ctypes.byref(event))
            if event.type == SelectionRequest:
                answer(event.xselectionrequest)
            elif event.type == ClientMessage and event.xclient.message_type == wanted:
                return list(event.xclient.data)
        return None

    version = 5
    send("XdndEnter", [source, version << 24] + (types + [0, 0, 0])[:3])
    copy = atom("XdndActionCopy")
    send("XdndPosition", [source, 0, (x << 16) | (y & 0xFFFF), 0, copy])
    status = wait_for("XdndStatus")
    if status is None:
        sys.exit(2)
    if not status[1] & 1:
        send("XdndLeave", [source, 0, 0, 0, 0])
        print("the target refused the drop", file=sys.stderr)
        sys.exit(1)
    send("XdndDrop", [source, 0, 0, 0, 0])
    finished = wait_for("XdndFinished")
    x11.XCloseDisplay(display)
    if finished is None:
        sys.exit(2)
    # Version 5: bit 0 of the second field says whether the drop was accepted.
    sys.exit(0 if finished[1] & 1 else 1)


main()
