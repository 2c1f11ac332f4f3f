"""The removal rules once more, in Python, as plainly as they can be said:
an independent yardstick for whole runs over real scripts."""

UPPER = bytes(c - 32 if 97 <= c <= 122 else c for c in range(256))
HEADERS = {
    b"[SOURCEDISKSFILES]": "begins", b"[SOURCEDISKSFILES.AMD64]": "begins",
    b"[SOURCEDISKSFILES.IA64]": "begins", b"[SOURCEDISKSFILES.X86]": "begins",
    b"[SCSI]": "begins", b"[SCSI.LOAD]": "begins", b"[HARDWAREIDSDATABASE]": "quoted",
    b"[BUSEXTENDERS.LOAD]": "contains", b"[BUSEXTENDERS]": "contains",
}


def fold(text):
    return text.translate(UPPER)


def trim(text):
    start, end = 0, len(text)
    while start < end and text[start] <= 0x20:
        start += 1
    while end > start and text[end - 1] <= 0x20:
        end -= 1
    return text[start:end]


def split_lines(data):
    data = data.split(b"\0", 1)[0]
    lines = data.replace(b"\r\n", b"\n").replace(b"\r", b"\n").split(b"\n")
    return lines[:-1] if lines[-1] == b"" else lines


def clear_dosnet(lines, name):
    needle = fold(name + b".sys")
    return [b"" if needle in fold(trim(line)) else line for line in lines]


def clear_txtsetup(lines, name):
    own_header = fold(b"[files." + name + b"]")
    upper_name = fold(name)
    kind, kept = None, []
    for line in lines:
        text = fold(trim(line))
        if b"[" in line:
            kind = "own" if text == own_header else HEADERS.get(text)
            if kind and kind != "own":
                kept.append(line)
                continue
        blank = (kind == "own"
                 or kind == "begins" and text.startswith(upper_name)
                 or kind == "quoted" and b'"' + upper_name + b'"' in text
                 or kind == "contains" and upper_name in text)
        kept.append(b"" if blank else line)
    return kept


def expected_scripts(txtsetup, dosnet, names, txtsetup_add=b"", dosnet_add=b""):
    """The bytes of TXTSETUP.SIF and DOSNET.INF after a run."""
    setup_lines, dosnet_lines = split_lines(txtsetup), split_lines(dosnet)
    last = setup_lines[-1]
    if b"\x1a" in last:
        cut = last[:last.index(b"\x1a")]
        setup_lines[-1:] = [cut] if cut else []
    for name in names:
        if trim(name):
            dosnet_lines = clear_dosnet(dosnet_lines, name)
            setup_lines = clear_txtsetup(setup_lines, name)
    join = lambda lines: b"".join(line + b"\r\n" for line in lines)
    return (join(setup_lines + split_lines(txtsetup_add)),
            join(dosnet_lines + split_lines(dosnet_add)))
