#!/usr/bin/env python3
"""Writes the inputs and args of the golden cases that are too large to write by hand:
irregular blocks of many sizes (the surface kernels and the threaded sums), the point
limit, a file of a few thousand blocks (the parallel run's order) and lines longer than
a read chunk. Deterministic: the same files on every run. Then run regenerate.sh on the
cases it names to write their expected files.

    tests/data/golden/make-large-inputs.py
"""
import os

CORPUS = os.path.dirname(os.path.abspath(__file__))
MIB = 1 << 20


class Random:
    """splitmix64: the same sequence everywhere."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state + 0x9E3779B97F4A7C15) & 0xFFFFFFFFFFFFFFFF
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & 0xFFFFFFFFFFFFFFFF
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & 0xFFFFFFFFFFFFFFFF
        return z ^ (z >> 31)

    def below(self, n):
        return self.next() % n

    def uniform(self, low, high):
        return low + (high - low) * (self.next() >> 11) / float(1 << 53)


def write_case(name, data, args):
    folder = os.path.join(CORPUS, name)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "input"), "wb") as f:
        f.write(data)
    with open(os.path.join(folder, "args"), "w") as f:
        f.write("".join(a + "\n" for a in args))


def number(random, value, thousandths):
    """A value as typed: thousandths with a point or a comma, or all 17 digits."""
    if thousandths:
        text = "%.3f" % value
        return text.replace(".", ",") if random.below(2) else text
    return repr(value)


def irregular_block(random, points, title):
    """Passes every check under both weightings: distances rise, heights mostly rise but
    also fall, coefficients now and then of any sign and size, the end above every point."""
    heights, distances, coefs = [], [], []
    height = 1000.0 + random.below(3000)
    distance = float(random.below(10))
    for _ in range(points):
        heights.append(height)
        distances.append(distance)
        coefs.append(random.uniform(-1e6, 1e6) if random.below(50) == 0 else random.uniform(0.5, 3.0))
        rise = random.uniform(-60.0, 150.0)
        height += round(rise) if random.below(4) == 0 else rise
        advance = random.uniform(0.001, 1.5)
        distance += round(advance * 1000) / 1000 if random.below(3) == 0 else advance
    heights[-1] = max(heights) + 1 + random.uniform(0.5, 3.0)
    lines = [title]
    for h, d, c in zip(heights, distances, coefs):
        d_text = "%.3f" % d if random.below(3) == 0 else repr(d)
        h_text = str(int(h)) if h == int(h) else number(random, h, random.below(2) == 0)
        lines.append(h_text + "\t" + d_text + "\t" + number(random, c, random.below(2) == 0))
    lines.append("@@@")
    return "".join(line + "\r\n" for line in lines)


def irregular_cases():
    random = Random(20261206)
    small = list(range(2, 42)) + [63, 64, 65, 66, 97, 127, 128, 129, 130, 131, 193, 257]
    text = "".join(irregular_block(random, n, "Блок %d" % n) for n in small)
    for weighting in ("height", "length"):
        write_case("blocks-irregular-2-to-257-points-" + weighting, text.encode("utf-8"),
                   ["-w", weighting, "{input}"])
    # Around the size from which a block's sums are shared between threads.
    text = "".join(irregular_block(random, n, "Блок %d" % n) for n in (1500, 1501, 1502, 1600))
    for weighting in ("height", "length"):
        write_case("blocks-irregular-1500-to-1600-points-" + weighting, text.encode("utf-8"),
                   ["-w", weighting, "--decimal-separator", ",", "{input}"])
    text = irregular_block(random, 5000, "Блок 5000")
    for weighting in ("height", "length"):
        write_case("block-irregular-5000-points-" + weighting, text.encode("utf-8"),
                   ["-w", weighting, "-r", "0", "{input}"])


def rising_block(points, title, last_height=None):
    lines = ["%d\t%d\t1\r\n" % (1000 + i, i) for i in range(points)]
    if last_height is not None:
        lines[-1] = "%d\t%d\t1\r\n" % (last_height, points - 1)
    return title + "\r\n" + "".join(lines) + "@@@\r\n"


def point_limit_cases():
    write_case("block-32767-points-accepted", rising_block(32767, "Предел").encode("utf-8"), ["{input}"])
    write_case("block-32768-points-rejected",
               (rising_block(32768, "Сверх предела") + rising_block(32768, "Сверх предела, спуск в конце", 999)
                + rising_block(2, "Подъем")).encode("utf-8"), ["{input}"])


def many_blocks(random, count):
    """Mostly small accepted blocks, rejected ones of every kind between them, and now and
    then a large rejected one, so that the file spans several batches of the parallel run."""
    out = []
    for b in range(count):
        kind = random.below(20)
        title = "Pass %d" % b + ("\twith a tab" if kind == 10 else "")
        points = 2 + random.below(4)
        if b % 250 == 125:
            kind, points = 3, 1500 + random.below(600)
        elif kind == 1:
            points = random.below(2)
        height, distance = 1500.0 + random.below(500), 0.0
        lines = [title]
        for i in range(points):
            if kind == 2 and i == points // 2:
                lines.append("1200 1,5 1")
            if kind == 5 and i == 1:
                lines.append("%.1f\t%.2f\t1" % (height, distance - 0.5 + 0.5))
            lines.append("%.1f\t%.2f\t%s" % (height, distance, "1E999" if kind == 6 and i == 1 else
                                             "%.1f" % (1 + random.below(10) / 10)))
            height += random.uniform(-10.0, 90.0)
            distance += random.uniform(0.02, 0.7)
        if kind == 3:
            lines.append("1000\t%.2f\t1" % (distance + 1))
        if kind == 4:
            lines.append("%.1f\t0\t1" % (height + 200))
        lines.append("@@@")
        out.append("".join(line + "\r\n" for line in lines))
    return "".join(out)


def many_blocks_cases():
    write_case("many-blocks-parallel-order-height", many_blocks(Random(31), 2000).encode("utf-8"),
               ["-r", "3", "--encoding", "cp1251", "{input}"])
    write_case("many-blocks-parallel-order-length", many_blocks(Random(37), 2000).encode("utf-8"),
               ["-r", "3", "-w", "length", "--decimal-separator", ",", "--encoding", "cp1251", "{input}"])


def long_line_cases():
    good = "Подъем\r\n1000\t0,25\t1.0\r\n1007\t1,25\t1.1\r\n1014\t2,25\t1.2\r\n@@@\r\n"
    body = good[good.index("\r\n") + 2:]
    # "Ё" split between the first and the second read chunk: the labels are UTF-8.
    title = "T" * (MIB - 1) + "Ё" + "T" * 10
    write_case("long-title-of-1-mib", (title + "\r\n" + body).encode("utf-8"), ["{input}"])
    write_case("long-first-column-of-1-mib",
               ("t\r\n" + " " * MIB + "1000\t0\t1\r\n1500\t2\t1\r\n@@@\r\n").encode(), ["{input}"])
    write_case("long-ignored-column-of-1-mib",
               ("t\r\n1000\t0\t" + "x" * MIB + "\t1\r\n1500\t2\t1\r\n@@@\r\n").encode(), ["{input}"])
    write_case("long-data-line-of-1-mib-without-tab", ("t\r\n" + "7" * MIB + "\r\n@@@\r\n" + good).encode(),
               ["{input}"])
    write_case("long-line-without-line-end", b"x" * MIB, ["{input}"])
    write_case("long-nul-bytes-only", b"\0" * MIB, ["{input}"])

    def probe(text, start="-7.77", end="7.77"):
        return "probe %d\n1000\t%s\t1\n1050\t%s\t1\n1100\t%s\t1\n@@@\n" % (len(text), start, text, end)

    digits = "123456789" * (64 * 1024 // 9)
    texts = [
        # A halfway case decided by a digit half a mebibyte further on.
        probe("9007199254740993." + "0" * (MIB // 2) + "1", "9007199254740980", "9007199254741000"),
        probe("9007199254740993." + "0" * (MIB // 8), "9007199254740980", "9007199254741000"),
        probe("0." + "0" * (MIB // 8) + "25E+" + str(MIB // 8 + 1)),
        probe(digits + "E-" + str(len(digits) - 1)),
        probe("1,5" + " 000" * (MIB // 32)),
        probe("- 0," + "0 " * (MIB // 32) + "3"),
    ]
    write_case("number-texts-very-long", "".join(texts).encode(), ["{input}"])


if __name__ == "__main__":
    irregular_cases()
    point_limit_cases()
    many_blocks_cases()
    long_line_cases()
