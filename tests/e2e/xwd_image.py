"""Reads the screen of an X server (xwd -root) as RGB pixels, and saves them as a PNG so that a
failing run leaves a picture to look at."""
import struct
import subprocess
import zlib


class Screenshot:
    def __init__(self, env):
        data = subprocess.run(["xwd", "-root", "-silent"], env=env, capture_output=True,
                              check=True, timeout=20).stdout
        fields = struct.unpack(">25I", data[:100])
        header_size, width, height = fields[0], fields[4], fields[5]
        byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
        colours = fields[19]
        if bits_per_pixel not in (24, 32):
            raise ValueError(f"xwd gave {bits_per_pixel} bits a pixel; only 24 and 32 are read")
        self.bytes_per_pixel = bits_per_pixel // 8
        self.width, self.height = width, height
        self.little = byte_order == 0
        self.stride = bytes_per_line
        self.pixels = data[header_size + 12 * colours:]

    def rgb(self, x, y):
        offset = y * self.stride + self.bytes_per_pixel * x
        pixel = self.pixels[offset:offset + self.bytes_per_pixel]
        if self.little:
            return pixel[2], pixel[1], pixel[0]
        return tuple(pixel[-3:])

    def save_png(self, path):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            for x in range(self.width):
                rows.extend(self.rgb(x, y))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body +
                    struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(bytes(rows), 6)))
            f.write(chunk(b"IEND", b""))
