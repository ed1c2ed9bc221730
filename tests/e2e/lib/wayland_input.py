"""Keys and clicks sent to a wlroots compositor (sway) through a virtual keyboard and a virtual
pointer, as a person's keyboard and mouse would: the Wayland wire protocol spoken directly, so
the checks need no client library. Both devices stay while it runs, as a desktop's do, so a
program started after them has its keyboard and pointer; it reads commands from its input:

    click X Y      left click at a point of the output layout (LAYOUT_SIZE=WxH gives its size)
    key CODE       press and release an evdev key (16 is Q)

WAYLAND_DISPLAY names the compositor's socket (a path, or a name in XDG_RUNTIME_DIR). The
keyboard carries a US keymap, so a key's scan code is the one a real US keyboard sends."""
import array
import os
import socket
import struct
import sys
import time

US_KEYMAP = b"""xkb_keymap {
    xkb_keycodes { include "evdev+aliases(qwerty)" };
    xkb_types { include "complete" };
    xkb_compatibility { include "complete" };
    xkb_symbols { include "pc+us+inet(evdev)" };
};
\0"""
# The output layout's size the absolute pointer motion is given in.
EXTENT = 10000
BTN_LEFT = 0x110


class Connection:
    def __init__(self):
        name = os.environ.get("WAYLAND_DISPLAY", "wayland-0")
        path = name if name.startswith("/") else os.path.join(os.environ["XDG_RUNTIME_DIR"], name)
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(path)
        self.next_id = 2
        self.globals = {}
        self.buffer = b""

    def new_id(self):
        self.next_id += 1
        return self.next_id - 1

    def send(self, obj, opcode, body=b"", fds=()):
        header = struct.pack("=II", obj, ((8 + len(body)) << 16) | opcode)
        ancillary = [(socket.SOL_SOCKET, socket.SCM_RIGHTS, array.array("i", fds))] if fds else []
        self.sock.sendmsg([header + body], ancillary)

    def roundtrip(self):
        """Waits until the compositor has handled every request so far; collects the globals."""
        callback = self.new_id()
        self.send(1, 0, struct.pack("=I", callback))  # wl_display.sync
        while True:
            while len(self.buffer) < 8:
                chunk = self.sock.recv(4096)
                if not chunk:
                    raise SystemExit("the compositor closed the connection")
                self.buffer += chunk
            obj, size_op = struct.unpack("=II", self.buffer[:8])
            size, opcode = size_op >> 16, size_op & 0xFFFF
            while len(self.buffer) < size:
                self.buffer += self.sock.recv(4096)
            body, self.buffer = self.buffer[8:size], self.buffer[size:]
            if obj == 1 and opcode == 0:  # wl_display.error
                raise SystemExit(f"protocol error: {body!r}")
            if obj == self.registry and opcode == 0:  # wl_registry.global
                name, length = struct.unpack("=II", body[:8])
                interface = body[8:8 + length - 1].decode()
                self.globals[interface] = (name, struct.unpack("=I", body[8 + (length + 3) // 4 * 4:][:4])[0])
            if obj == callback and opcode == 0:
                return

    def bind(self, interface, version):
        if interface not in self.globals:
            raise SystemExit(f"the compositor offers no {interface}")
        name, offered = self.globals[interface]
        obj = self.new_id()
        encoded = interface.encode() + b"\0"
        padded = encoded + b"\0" * (-len(encoded) % 4)
        self.send(self.registry, 0, struct.pack("=II", name, len(encoded)) + padded +
                  struct.pack("=II", min(version, offered), obj))
        return obj


def millis():
    return int(time.monotonic() * 1000) & 0xFFFFFFFF


def main():
    c = Connection()
    c.registry = c.new_id()
    c.send(1, 1, struct.pack("=I", c.registry))  # wl_display.get_registry
    c.roundtrip()
    seat = c.bind("wl_seat", 1)
    # The server takes new objects' ids only in the order they were handed out.
    keyboards = c.bind("zwp_virtual_keyboard_manager_v1", 1)
    keyboard = c.new_id()
    c.send(keyboards, 0, struct.pack("=II", seat, keyboard))
    pointers = c.bind("zwlr_virtual_pointer_manager_v1", 1)
    pointer = c.new_id()
    c.send(pointers, 0, struct.pack("=II", seat, pointer))
    fd = os.memfd_create("keymap")
    os.write(fd, US_KEYMAP)
    c.send(keyboard, 0, struct.pack("=II", 1, len(US_KEYMAP)), [fd])  # XKB v1 keymap
    os.close(fd)
    c.roundtrip()
    print("ready", flush=True)
    width, height = (int(v) for v in os.environ.get("LAYOUT_SIZE", "1280x1024").split("x"))
    for line in sys.stdin:
        command = line.split()
        if command[:1] == ["key"]:
            for state in (1, 0):
                c.send(keyboard, 1, struct.pack("=III", millis(), int(command[1]), state))
                c.roundtrip()
                time.sleep(0.05)
        elif command[:1] == ["click"]:
            x, y = int(command[1]), int(command[2])
            c.send(pointer, 1, struct.pack("=IIIII", millis(), x * EXTENT // width,
                                           y * EXTENT // height, EXTENT, EXTENT))
            c.send(pointer, 4)  # frame
            c.roundtrip()
            time.sleep(0.1)
            for state in (1, 0):
                c.send(pointer, 2, struct.pack("=III", millis(), BTN_LEFT, state))
                c.send(pointer, 4)
                c.roundtrip()
                time.sleep(0.05)
        print("done", line.strip(), flush=True)


if __name__ == "__main__":
    main()
