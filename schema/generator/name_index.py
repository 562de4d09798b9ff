"""The index beside an event map: a multiplicative hash of a name's length and
first and last four bytes, chosen here so that every name of the map has a slot
of its own and the reader finds a name with one comparison."""

# Maps this small are scanned as fast as they are hashed.
SMALLEST_INDEXED_MAP = 3
# Slots are unsigned short.
LARGEST_INDEXED_MAP = 0xFFFF
MULTIPLIER_TRIES = 4096
EXTRA_BITS = 3
MASK = 0xFFFFFFFF
TAIL_MIX = 0x9E3779B1


def little_endian(data):
    return sum(b << (8 * i) for i, b in enumerate(data))


def name_key(name):
    """The reader's key of a name in UTF-8; tokenise computes the same."""
    b = name.encode()
    if len(b) < 4:
        head = tail = little_endian(b)
    else:
        head, tail = little_endian(b[:4]), little_endian(b[-4:])
    return ((head ^ (tail * TAIL_MIX)) + len(b)) & MASK


def multipliers():
    """Odd multipliers in a fixed order, so that generation is repeatable."""
    m = 0x2545F491
    for _ in range(MULTIPLIER_TRIES):
        yield m | 1
        m = (m * 0x5851F42D + 0x14057B7F) & MASK


def name_index(names):
    """(multiplier, shift, slots) of a map's names, or None when it is too small or
    too large or when two names share a key (the reader then scans the map). A slot holds
    one more than the position of the first entry with its name, 0 when empty."""
    if not SMALLEST_INDEXED_MAP <= len(names) < LARGEST_INDEXED_MAP:
        return None
    first = {}
    for position, name in enumerate(names):
        first.setdefault(name, position)
    keys = {}
    for name, position in first.items():
        if keys.setdefault(name_key(name), position) != position:
            return None
    bits = max(1, (len(keys) - 1).bit_length())
    for width in range(bits, bits + EXTRA_BITS + 1):
        shift = 32 - width
        for multiplier in multipliers():
            slots = [0] * (1 << width)
            for key, position in keys.items():
                slot = ((key * multiplier) & MASK) >> shift
                if slots[slot]:
                    break
                slots[slot] = position + 1
            else:
                return multiplier, shift, slots
    return None
