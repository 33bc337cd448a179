"""Drives a program's window in an X server as a user would: finds it by
its title, presses keys, taps points, reads the title, asks the window to
close (as a window manager's close button does) and takes screenshots.
Uses Debian's python3-xlib and the XTEST extension of the server."""
import struct
import time
import zlib

from Xlib import X, XK, display as xdisplay
from Xlib.ext import xtest
from Xlib.protocol import event as xevent


class Driver:
    def __init__(self, name=None):
        self.display = xdisplay.Display(name)
        self.root = self.display.screen().root
        self._utf8 = self.display.intern_atom("UTF8_STRING")
        self._net_wm_name = self.display.intern_atom("_NET_WM_NAME")
        self._protocols = self.display.intern_atom("WM_PROTOCOLS")
        self._delete = self.display.intern_atom("WM_DELETE_WINDOW")

    def title(self, window):
        prop = window.get_full_property(self._net_wm_name, self._utf8)
        if prop is not None:
            value = prop.value
            return value.decode("utf-8") if isinstance(value, bytes) else str(value)
        name = window.get_wm_name()
        return name if isinstance(name, str) else ""

    def _viewable_windows(self, window):
        for child in window.query_tree().children:
            try:
                if child.get_attributes().map_state == X.IsViewable:
                    yield child
            except Exception:  # the window went away meanwhile
                continue
            yield from self._viewable_windows(child)

    def find_window(self, accept, timeout=20.0):
        """The first viewable window whose title satisfies accept."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for window in self._viewable_windows(self.root):
                try:
                    if accept(self.title(window)):
                        return window
                except Exception:
                    continue
            time.sleep(0.1)
        raise TimeoutError("no window appeared")

    def has_window(self, accept):
        """Whether a viewable window's title satisfies accept now."""
        for window in self._viewable_windows(self.root):
            try:
                if accept(self.title(window)):
                    return True
            except Exception:
                continue
        return False

    def wait_for_title(self, window, accept, timeout=10.0):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            title = self.title(window)
            if accept(title):
                return title
            time.sleep(0.05)
        raise TimeoutError("title stayed " + repr(self.title(window)))

    def origin(self, window):
        """The window's top-left corner on the screen."""
        position = window.translate_coords(self.root, 0, 0)
        return -position.x, -position.y

    def size(self, window):
        geometry = window.get_geometry()
        return geometry.width, geometry.height

    def move_pointer(self, x, y):
        xtest.fake_input(self.display, X.MotionNotify, x=x, y=y)
        self.display.sync()

    def key(self, name):
        """Presses and releases the key of an X keysym name ("Right", "n")."""
        code = self.display.keysym_to_keycode(XK.string_to_keysym(name))
        xtest.fake_input(self.display, X.KeyPress, code)
        xtest.fake_input(self.display, X.KeyRelease, code)
        self.display.sync()

    def tap(self, x, y):
        self.move_pointer(x, y)
        time.sleep(0.05)
        xtest.fake_input(self.display, X.ButtonPress, 1)
        xtest.fake_input(self.display, X.ButtonRelease, 1)
        self.display.sync()

    def close(self, window):
        """Asks the window to close, as a window manager's close button does."""
        message = xevent.ClientMessage(
            window=window, client_type=self._protocols,
            data=(32, [self._delete, X.CurrentTime, 0, 0, 0]))
        window.send_event(message)
        self.display.sync()

    def screenshot(self, path, window=None):
        """Writes what the screen shows (or one window) as a PNG file."""
        target = window or self.root
        width, height = self.size(target)
        image = target.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF)
        write_png(path, width, height, image.data)


def write_png(path, width, height, bgrx):
    """A PNG of 32-bit BGRX pixels, as a 24-bit X server delivers them."""
    rows = bytearray()
    stride = width * 4
    for y in range(height):
        row = bgrx[y * stride:(y + 1) * stride]
        rgb = bytearray(width * 3)
        rgb[0::3] = row[2::4]
        rgb[1::3] = row[1::4]
        rgb[2::3] = row[0::4]
        rows += b"\0" + rgb

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))
