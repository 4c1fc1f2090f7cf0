"""What a test needs of GNOME's compositor, mutter, through its own D-Bus interfaces: a
picture of a monitor (screen cast, one frame through PipeWire) and a drag of the pointer
(remote desktop).

    mutter_remote.py shot MONITOR WIDTH HEIGHT OUT.ppm
    mutter_remote.py drag X1 Y1 X2 Y2        in logical pixels of the desktop
    mutter_remote.py picture SHOT.ppm SCALE  the picture's device rectangle, WxH+X+Y
"""

import math
import subprocess
import sys
import time

from gi.repository import Gio, GLib

SCREEN_CAST = "org.gnome.Mutter.ScreenCast"
REMOTE_DESKTOP = "org.gnome.Mutter.RemoteDesktop"
BUS = Gio.bus_get_sync(Gio.BusType.SESSION)


def call(service, path, interface, method, args=None, reply=None):
    result = BUS.call_sync(service, path, interface, method, args,
                           GLib.VariantType(reply) if reply else None,
                           Gio.DBusCallFlags.NONE, 10000, None)
    return result.unpack() if reply else None


def shot(monitor, width, height, out):
    session, = call(SCREEN_CAST, "/org/gnome/Mutter/ScreenCast", SCREEN_CAST, "CreateSession",
                    GLib.Variant("(a{sv})", ({},)), "(o)")
    stream, = call(SCREEN_CAST, session, SCREEN_CAST + ".Session", "RecordMonitor",
                   GLib.Variant("(sa{sv})", (monitor, {"cursor-mode": GLib.Variant("u", 0)})), "(o)")
    loop = GLib.MainLoop()
    nodes = []

    def added(_connection, _sender, _path, _interface, _signal, parameters, _data):
        nodes.append(parameters.unpack()[0])
        loop.quit()

    BUS.signal_subscribe(None, SCREEN_CAST + ".Stream", "PipeWireStreamAdded", stream, None, 0, added, None)
    call(SCREEN_CAST, session, SCREEN_CAST + ".Session", "Start")
    GLib.timeout_add_seconds(10, loop.quit)
    loop.run()
    if not nodes:
        sys.exit("mutter_remote: the screen cast never started")
    try:
        raw = subprocess.run(["gst-launch-1.0", "-q", "pipewiresrc", "path=%d" % nodes[0], "num-buffers=1",
                              "!", "videoconvert", "!", "video/x-raw,format=RGB", "!", "fdsink"],
                             check=True, timeout=30, stdout=subprocess.PIPE).stdout
    finally:
        call(SCREEN_CAST, session, SCREEN_CAST + ".Session", "Stop")
    stride = (width * 3 + 3) // 4 * 4  # GStreamer's rows of RGB start on 4-byte boundaries
    if len(raw) != stride * height:
        sys.exit("mutter_remote: a frame of %d bytes is not %d x %d" % (len(raw), width, height))
    with open(out, "wb") as ppm:
        ppm.write(b"P6\n%d %d\n255\n" % (width, height))
        for row in range(height):
            ppm.write(raw[row * stride:row * stride + width * 3])


def drag(x1, y1, x2, y2):
    session, = call(REMOTE_DESKTOP, "/org/gnome/Mutter/RemoteDesktop", REMOTE_DESKTOP, "CreateSession",
                    None, "(o)")
    interface = REMOTE_DESKTOP + ".Session"
    call(REMOTE_DESKTOP, session, interface, "Start")
    time.sleep(0.3)
    at = [0.0, 0.0]

    def move(x, y):
        call(REMOTE_DESKTOP, session, interface, "NotifyPointerMotionRelative",
             GLib.Variant("(dd)", (x - at[0], y - at[1])))
        at[:] = [x, y]
        time.sleep(0.03)

    def button(pressed):
        call(REMOTE_DESKTOP, session, interface, "NotifyPointerButton",
             GLib.Variant("(ib)", (0x110, pressed)))  # BTN_LEFT
        time.sleep(0.1)

    # Far to the top left first: the pointer stops at the desktop's corner, (0, 0).
    move(-100000, -100000)
    at[:] = [0.0, 0.0]
    move(x1, y1)
    button(True)
    steps = 10
    for step in range(1, steps + 1):
        move(x1 + (x2 - x1) * step / steps, y1 + (y2 - y1) * step / steps)
    button(False)
    call(REMOTE_DESKTOP, session, interface, "Stop")


def picture(path, scale):
    """Where the picture is: its top-left corner is where the shot's first black run as wide
    as most of it starts; its size is the program's, each edge of Picture1's logical (16, 8)
    to (593, 425) on the device pixel edge nearest to it."""
    with open(path, "rb") as ppm:
        header = [ppm.readline() for _ in range(3)]
        pixels = ppm.read()
    width = int(header[1].split()[0])
    run = b"\0" * (3 * 400)
    for row in range(len(pixels) // (3 * width)):
        line = pixels[3 * width * row:3 * width * (row + 1)]
        found = line.find(run)
        while found >= 0 and found % 3:
            found = line.find(run, found + 1)
        if found >= 0:
            def edge(value):
                return math.floor(value * scale + 0.5)
            print("%dx%d+%d+%d" % (edge(593) - edge(16), edge(425) - edge(8), found // 3, row))
            return
    sys.exit("mutter_remote: no picture in " + path)


if __name__ == "__main__":
    command, arguments = sys.argv[1], sys.argv[2:]
    if command == "shot":
        shot(arguments[0], int(arguments[1]), int(arguments[2]), arguments[3])
    elif command == "drag":
        drag(*(float(value) for value in arguments))
    elif command == "picture":
        picture(arguments[0], float(arguments[1]))
    else:
        sys.exit("mutter_remote: unknown command " + command)
