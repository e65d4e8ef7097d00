#!/usr/bin/env python3
"""Owns the X11 CLIPBOARD selection the way another program does, and either
hands its text over or never answers at all.

Usage: clipboard_owner.py --hung [--retake SECONDS]
       clipboard_owner.py --text TEXT
       clipboard_owner.py --size BYTES
--hung owns the clipboard and never answers a request for its contents (a
program that has stopped); with --retake it takes the clipboard again every
SECONDS, so others see a new clipboard each time. --text hands TEXT over as
UTF-8; --size hands over BYTES bytes of text ("0123456789" repeated) in
pieces, the way large contents go (the INCR transfer). Prints "owner" once it
owns the clipboard, then runs until it is killed."""
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
x11.XGetSelectionOwner.restype = Window
x11.XGetSelectionOwner.argtypes = [Display, Atom]
x11.XSelectInput.argtypes = [Display, Window, ctypes.c_long]
x11.XSendEvent.argtypes = [Display, Window, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XPending.argtypes = [Display]
x11.XNextEvent.argtypes = [Display, ctypes.c_void_p]
x11.XFlush.argtypes = [Display]
x11.XSync.argtypes = [Display, ctypes.c_int]
x11.XChangeProperty.argtypes = [Display, Window, Atom, Atom, ctypes.c_int, ctypes.c_int,
                                ctypes.c_void_p, ctypes.c_int]

SelectionRequest, SelectionNotify, PropertyNotify = 30, 31, 28
PropertyDelete = 1
PropertyChangeMask = 1 << 22
PIECE = 65536


class XSelectionRequestEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", Display), ("owner", Window),
                ("requestor", Window), ("selection", Atom), ("target", Atom),
                ("property", Atom), ("time", Time)]


class XSelectionEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", Display), ("requestor", Window),
                ("selection", Atom), ("target", Atom), ("property", Atom), ("time", Time)]


class XPropertyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", Display), ("window", Window),
                ("atom", Atom), ("time", Time), ("state", ctypes.c_int)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xselectionrequest", XSelectionRequestEvent),
                ("xselection", XSelectionEvent), ("xproperty", XPropertyEvent),
                ("pad", ctypes.c_long * 24)]


def main():
    mode = sys.argv[1]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open display")

    def atom(name):
        return x11.XInternAtom(display, name.encode(), 0)

    clipboard = atom("CLIPBOARD")
    owner = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)

    def take():
        x11.XSetSelectionOwner(display, clipboard, owner, 0)
        x11.XSync(display, 0)
        if x11.XGetSelectionOwner(display, clipboard) != owner:
            sys.exit("could not own the clipboard")

    take()
    print("owner", flush=True)

    if mode == "--hung":
        # Requests pile up unread: the clipboard's contents never come.
        retake = float(sys.argv[3]) if len(sys.argv) > 3 and sys.argv[2] == "--retake" else 0
        while True:
            time.sleep(retake or 3600)
            if retake:
                take()

    if mode == "--text":
        data = sys.argv[2].encode()
    else:
        size = int(sys.argv[2])
        data = (b"0123456789" * (size // 10 + 1))[:size]
    utf8, targets, incr = atom("UTF8_STRING"), atom("TARGETS"), atom("INCR")
    # The pieces still to send for each requestor's property (INCR transfers).
    pending = {}

    def notify(request, prop):
        reply = XEvent()
        reply.xselection.type = SelectionNotify
        reply.xselection.requestor = request.requestor
        reply.xselection.selection = request.selection
        reply.xselection.target = request.target
        reply.xselection.time = request.time
        reply.xselection.property = prop
        x11.XSendEvent(display, request.requestor, 0, 0, ctypes.byref(reply))

    def answer(request):
        prop = request.property or request.target
        if request.target == targets:
            offered = (ctypes.c_ulong * 2)(targets, utf8)
            x11.XChangeProperty(display, request.requestor, prop, atom("ATOM"), 32, 0, offered, 2)
        elif request.target == utf8 and len(data) <= PIECE:
            x11.XChangeProperty(display, request.requestor, prop, utf8, 8, 0, data, len(data))
        elif request.target == utf8:
            x11.XSelectInput(display, request.requestor, PropertyChangeMask)
            length = (ctypes.c_ulong * 1)(len(data))
            x11.XChangeProperty(display, request.requestor, prop, incr, 32, 0, length, 1)
            pending[(request.requestor, prop)] = [data[i:i + PIECE]
                                                  for i in range(0, len(data), PIECE)] + [b""]
        else:
            prop = 0
        notify(request, prop)

    def next_piece(event):
        pieces = pending.get((event.window, event.atom))
        if not pieces or event.state != PropertyDelete:
            return
        piece = pieces.pop(0)
        x11.XChangeProperty(display, event.window, event.atom, utf8, 8, 0, piece, len(piece))
        if not pieces:
            del pending[(event.window, event.atom)]

    event = XEvent()
    while True:
        if not x11.XPending(display):
            time.sleep(0.005)
            continue
        x11.XNextEvent(display, ctypes.byref(event))
        if event.type == SelectionRequest:
            answer(event.xselectionrequest)
        elif event.type == PropertyNotify:
            next_piece(event.xproperty)
        x11.XFlush(display)


main()
