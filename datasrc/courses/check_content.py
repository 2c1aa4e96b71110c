#!/usr/bin/env python3
"""Checks keyfarer's shipped learning content against the rules its readers and generators
apply: the course and slide sources of this folder, the practice dictionaries and the test
texts under data/, and the UTF-16 files and pictures the build writes into the stage.

Usage: check_content.py --courses DIR --data DIR [--stage DIR]
Prints one line per fault and exits 1 when there is any.
"""
import argparse
import pathlib
import re
import struct
import sys

FAULTS = []


def fault(where, text):
    FAULTS.append(f"{where}: {text}")


# ---------------------------------------------------------------------------------------
# Keyboard layouts, read from their readable sources (datasrc/layouts/*.txt): main key
# records in row order and keypad records, each (base, shifted, altgr, kind) with kind 0
# ordinary, 1 letter, 2 modifier or lock. A course is checked against the layout of its
# KeyboardLayoutType; "any" (255) and 2 against the US layout, whose key order the built-in
# default shares.

VIRTUAL_KEYS = {"backspace": "\b", "tab": "\t", "enter": "\r", "space": " "}
KINDS = {"key": 0, "letter": 1, "mod": 2}


class Layout:
    def __init__(self, name, layout_type, main, keypad):
        self.name, self.type, self.main, self.keypad = name, layout_type, main, keypad
        # Keys that give no practice character of their own or would put a control character
        # into generated groups: modifiers and locks, Backspace, Tab, Enter and Space
        # (separators are written by the generators themselves).
        self.main_not_taught = {i for i, k in enumerate(main) if k[3] == 2 or k[0] in "\b\t\r "}
        self.keypad_not_taught = {i for i, k in enumerate(keypad) if k[3] == 2 or k[0] == "\r"}


def layout_char(word, base_column):
    if word == "--":
        return None
    if base_column and word in VIRTUAL_KEYS:
        return VIRTUAL_KEYS[word]
    if re.fullmatch(r"[Uu]\+[0-9A-Fa-f]{1,4}", word):
        return chr(int(word[2:], 16))
    return word  # one character, or the name of a modifier or lock key


def read_layout(path):
    name, layout_type, main, keypad, block = path.stem, 0, [], [], None
    for line in path.read_text(encoding="utf-8").split("\n"):
        words = line.split()
        if not words or words[0].startswith("#"):
            continue
        if "=" in line and words[0] in ("name", "type"):
            value = line.split("=", 1)[1].strip()
            if words[0] == "name":
                name = value
            else:
                layout_type = int(value)
        elif words[0] in ("row", "keypad"):
            block = keypad if words[0] == "keypad" else main
        elif len(words) == 8 and words[0] in KINDS and block is not None:
            base, shifted, altgr = (layout_char(w, i == 0) for i, w in enumerate(words[1:4]))
            block.append((base, shifted, altgr, KINDS[words[0]]))
    return Layout(name, layout_type, main, keypad)


def read_layouts(folder):
    layouts = {}
    # The US layout speaks for type 0 (Dvorak and Colemak share its key numbers, not its letters).
    for path in sorted(folder.glob("*.txt"), key=lambda p: (p.name != "US.txt", p.name)):
        if path.name == "CMakeLists.txt":
            continue
        lay = read_layout(path)
        layouts.setdefault(lay.type, lay)  # the first (by file name) of each type
    return layouts


def course_layout(layouts, layout_type):
    return layouts.get(layout_type) or layouts.get(0)


TYPEABLE = {chr(c) for c in range(32, 127)}
PUNCT_SENTENCE_END = ".;"


def is_letter_key(key):
    return key[3] == 1


def main_chars(lay, index, shifted):
    """What a key gives a generated lesson: its base character, with the capital phases also
    its shifted and AltGr characters."""
    base, shift, altgr, _ = lay.main[index]
    out = {base}
    if shifted:
        out |= {c for c in (shift, altgr) if c}
    return out


def expand_ref(lay, n, keypad):
    """What "#n" shows in the lesson chooser; None when it expands to nothing."""
    k = n - 100 if n >= 100 else n
    if keypad:
        if 0 <= k < len(lay.keypad) and k not in lay.keypad_not_taught:
            return lay.keypad[k][0]
        return None
    if not 0 <= k < len(lay.main) or k in lay.main_not_taught:
        return None
    key = lay.main[k]
    if is_letter_key(key):
        return key[0] if n >= 100 else key[1]
    return (key[1] if n >= 100 else key[0]) or None


# ---------------------------------------------------------------------------------------
# INI-style sources, read strictly: the program's section reader takes values untrimmed and
# a repeated key is silently shadowed, so both are faults here.

def read_ini(path):
    text = path.read_text(encoding="utf-8")
    if text.startswith("\ufeff"):
        fault(path, "starts with a byte order mark; the build adds the UTF-16 one")
    sections, order, current = {}, [], None
    for no, line in enumerate(text.split("\n"), 1):
        where = f"{path}:{no}"
        if line.strip() == "":
            continue
        if line != line.rstrip() or line != line.lstrip():
            fault(where, "blank at the start or end of the line (values are read untrimmed)")
        if "\t" in line or "\r" in line:
            fault(where, "tab or carriage return in the line")
        if line.startswith("["):
            if not line.endswith("]"):
                fault(where, "section header without closing bracket")
            current = line[1:-1]
            if current.lower() in (s.lower() for s in sections):
                fault(where, f"section [{current}] appears twice")
            sections[current] = {}
            order.append(current)
            continue
        if current is None or "=" not in line:
            fault(where, "line outside a section or without '='")
            continue
        key, value = line.split("=", 1)
        if key.lower() in (k.lower() for k in sections[current]):
            fault(where, f"key {key} appears twice in [{current}]")
        sections[current][key] = value
    return sections, order


def number(sec, key, default, where, lo, hi):
    raw = sec.get(key)
    if raw is None:
        return default
    if not re.fullmatch(r"-?\d+", raw):
        fault(where, f"{key}={raw} is not a decimal number")
        return default
    value = int(raw)
    if not lo <= value <= hi:
        fault(where, f"{key}={value} outside {lo}..{hi}")
    return value


# ---------------------------------------------------------------------------------------
# Lesson bodies: sentences as the exercise engine cuts them.

def body_text(path):
    return path.read_text(encoding="utf-8").replace("\r", "").replace("\n", "\r\n")


def sentence_starts(text):
    """Start positions of the sentences, each with a flag telling whether a line starts there:
    CR or LF ends a sentence (CR LF once), and so does "." or ";" followed by a space."""
    starts = [(0, True)]
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if c in "\r\n":
            nxt = text[i + 1] if i + 1 < n else "\0"
            if nxt not in "\r\n":
                starts.append((i + 1, True))
        elif c in PUNCT_SENTENCE_END and i + 1 < n and text[i + 1] == " ":
            starts.append((i + 2, False))
            i += 1
        i += 1
    return starts


def check_body(path, where, allowed, row_index, keypad):
    if not path.is_file():
        fault(where, f"lesson body {path} is missing")
        return
    text = body_text(path)
    starts = sentence_starts(text)
    if len(starts) < 2:
        fault(where, f"{path.name} has fewer than 2 sentences")
    lines = text.split("\r\n")
    if lines[-1] != "":
        fault(path, "last line has no line end")
    for no, line in enumerate(lines[:-1], 1):
        if line == "":
            fault(f"{path}:{no}", "empty line (it would ask for an extra Enter)")
        if line != line.strip() or "  " in line:
            fault(f"{path}:{no}", "blank at an end of the line or two blanks in a row")
        if len(line) > 400:
            fault(f"{path}:{no}", f"line of {len(line)} characters; keep a line to one paragraph")
        bad = sorted(set(line) - allowed)
        if bad:
            fault(f"{path}:{no}", f"characters not taught before this lesson: {''.join(bad)!r}")
        if keypad and not re.fullmatch(r"[0-9.+\-*/]+", line):
            fault(f"{path}:{no}", "keypad body line holds a character the keypad cannot type")
    line_starts = [k for k, (pos, line) in enumerate(starts) if line and pos < len(text)]
    for n in row_index:
        if n not in line_starts:
            fault(where, f"RowIndex {n} is not the start of a line of {path.name}; "
                         f"its lines start with sentences {' '.join(map(str, line_starts))}")


# ---------------------------------------------------------------------------------------

def check_course(path, courses_root, layouts, dictionary, numdictionary, stage_texts, slide_layouts):
    sections, order = read_ini(path)
    head = sections.get("Header", {})
    where = f"{path}[Header]"
    if head.get("Tag") != "KBTRAIN":
        fault(where, "Tag is not KBTRAIN")
    layout_type = number(head, "KeyboardLayoutType", 0, where, 0, 255)
    if layout_type not in layouts and layout_type not in (2, 5, 255):
        fault(where, f"KeyboardLayoutType {layout_type}: no shipped layout has that type")
    # The lesson chooser shows keypad keys for "#n" only in courses of type 5; the catalogue
    # offers such a course on no layout, so keypad courses say 255 and name keys plainly.
    keypad_refs = layout_type == 5
    lay = course_layout(layouts, layout_type)
    count = number(head, "LessonCount", 0, where, 1, 256)
    for key in ("Name", "Description"):
        if not head.get(key):
            fault(where, f"{key} is empty")
        elif len(head[key]) > 259:
            fault(where, f"{key} longer than 259 characters")
    lesson_sections = [s for s in order if s.startswith("Lesson_")]
    expected = [f"Lesson_{i}" for i in range(count)]
    if lesson_sections != expected:
        fault(path, f"lesson sections {lesson_sections[:3]}... do not run Lesson_0 to Lesson_{count - 1}")

    stem = path.name.split(".")[0]
    order_file = path.parent / f"{stem}.ini"
    if not order_file.is_file():
        fault(path, f"order file {order_file.name} is missing")
    else:
        osec, _ = read_ini(order_file)
        general = {k.lower(): v for k, v in osec.get("General", {}).items()}
        for key in ("ordinal", "line"):
            if not re.fullmatch(r"\d+", general.get(key, "")):
                fault(order_file, f"[General] {key} missing or not a number")

    tutorial = courses_root  # sources mirror the Tutorial folder
    names = {}
    learned = {" ", "\r"}  # what the learner has been taught, lesson by lesson
    capitals_taught = False
    cumulative = {False: [], True: []}
    for i in range(count):
        sec = sections.get(f"Lesson_{i}", {})
        w = f"{path.name}[Lesson_{i}]"
        name = sec.get("Name", "")
        if not name:
            fault(w, "no Name")
        if len(name) > 63:
            fault(w, f"Name longer than 63 characters ({len(name)})")
        if name.lower() in names:
            fault(w, f"Name {name!r} repeats lesson {names[name.lower()]}")
        names[name.lower()] = i
        if not sec.get("Description"):
            fault(w, "no Description")
        for key in ("Description", "KeysDescription", "ExtraFile", "PrenoticeMessage"):
            if len(sec.get(key, "")) > 259:
                fault(w, f"{key} longer than 259 characters")
        numpad = sec.get("IsNumpad", "0") not in ("", "0")
        for key in ("Name", "Description", "KeysDescription"):
            for ref in re.findall(r"#(\d+)", sec.get(key, "")):
                if numpad and not keypad_refs:
                    fault(w, f"{key}: key reference #{ref} in a keypad lesson shows a main key")
                elif expand_ref(lay, int(ref), keypad_refs) is None:
                    fault(w, f"{key}: key reference #{ref} expands to nothing on {lay.name}")
        pre = sec.get("PrenoticeMessage", "")
        if re.search(r"#\d", pre):
            fault(w, "PrenoticeMessage holds a key reference; notices show it as written")
        if "/d" in pre and not pre.split("/d", 1)[0]:
            fault(w, "PrenoticeMessage has an empty title before /d")

        typ = number(sec, "Type", 0, w, 0, 3)
        phases = number(sec, "PracticePhaseType", 31, w, 0, 63)
        number(sec, "WordSize", 4, w, 0, 6)
        number(sec, "WordRepeat", 0, w, 0, 6)
        number(sec, "GenerateType", 1, w, 0, 2)
        number(sec, "ContentSize", 1, w, 0, 2)
        number(sec, "FitMode", 3, w, 0, 255)
        allow_shift = number(sec, "AllowShift", 1, w, 0, 1)
        numpad = number(sec, "IsNumpad", 0, w, 0, 1) == 1
        if keypad_refs and not numpad:
            fault(w, "a lesson of a keypad course (type 5) without IsNumpad")
        extra = sec.get("ExtraFile", "")
        if extra and ("/" in extra or extra.startswith("\\")):
            fault(w, "ExtraFile must be relative to Tutorial with backslashes")
        extra_path = tutorial.joinpath(*extra.split("\\")) if extra else None

        if typ in (1, 2):
            if not extra.endswith(".sld"):
                fault(w, "a slide lesson needs an ExtraFile ending in .sld")
            elif not extra_path.with_name(extra_path.name + ".txt").is_file():
                fault(w, f"slide file source {extra}.txt is missing")
            else:
                slide_layouts[extra_path.with_name(extra_path.name + ".txt")] = (lay, keypad_refs)
        if typ == 3:
            if not phases & 32:
                fault(w, "a sentence lesson needs phase bit 5")
            if "KeyIndex" in sec:
                fault(w, "KeyIndex is not read for a sentence lesson")
            rows = [int(x) for x in sec.get("RowIndex", "").split()]
            if extra_path is None:
                fault(w, "a sentence lesson needs an ExtraFile")
            else:
                check_body(extra_path, w, learned, rows, numpad)
                stage_texts.append(extra_path)
        if typ in (0, 2):
            raw = sec.get("KeyIndex", "")
            if not re.fullmatch(r"\d+( \d+)*", raw):
                fault(w, f"KeyIndex {raw!r} is not numbers separated by single spaces")
                continue
            idx = [int(x) for x in raw.split()]
            if len(idx) > 63:
                fault(w, "more than 63 keys in KeyIndex")
            limit, not_taught = ((len(lay.keypad), lay.keypad_not_taught) if numpad
                                 else (len(lay.main), lay.main_not_taught))
            bad = [k for k in idx if k >= limit or k in not_taught]
            if bad:
                fault(w, f"KeyIndex holds keys that cannot be taught this way: {bad}")
                continue
            if phases & 32:
                fault(w, "phase 5 belongs to sentence lessons only")
            if not phases & 0b11111:
                fault(w, "no practice phase")
            if not phases & 0b11100:
                fault(w, "only phases 0/1: the lesson fails for the practice type that skips them")
            if (phases & 0b10010) and not allow_shift:
                fault(w, "capital phases with AllowShift 0")
            if (phases & 0b10010) and numpad:
                fault(w, "the keypad has no capitals")
            cumulative[numpad].extend(idx)
            if numpad:
                learned |= {lay.keypad[k][0] for k in idx}
            else:
                shifted = bool(phases & 2) and allow_shift
                for k in idx:
                    learned |= main_chars(lay, k, shifted)
                if shifted and any(is_letter_key(lay.main[k]) for k in idx):
                    capitals_taught = True
            if phases & 16 and not capitals_taught:
                fault(w, "words with capitals before any capitals lesson")
            if phases & 0b10100 and i >= 4:
                if numpad:
                    allowed = {lay.keypad[k][0] for k in cumulative[True]}
                    fitting = [x for x in numdictionary if set(x) <= allowed]
                else:
                    allowed = set()
                    for k in cumulative[False]:
                        allowed |= main_chars(lay, k, False)
                    fitting = [x for x in dictionary if set(x) <= allowed]
                if len(fitting) < 15:
                    fault(w, f"only {len(fitting)} dictionary words fit its keys; the word phase would be thin")
    return count


# ---------------------------------------------------------------------------------------

VIEW_W, VIEW_H = 720, 250  # the slide frames are laid out for this part of the desk view


def svg_size(path):
    head = path.read_text(encoding="utf-8")[:400]
    m = re.search(r'<svg[^>]*\swidth="(\d+)"[^>]*\sheight="(\d+)"', head)
    return (int(m.group(1)), int(m.group(2))) if m else None


def check_slides(path, courses_root, lay, keypad_refs=False):
    sections, order = read_ini(path)
    head = sections.get("Header", {})
    if head.get("TAG") != "KY_SLIDE":
        fault(path, "TAG is not KY_SLIDE")
    frames = number(head, "FrameCount", 0, f"{path}[Header]", 1, 64)
    frame_sections = [s for s in order if s.startswith("Frame_")]
    if frame_sections != [f"Frame_{f}" for f in range(frames)]:
        fault(path, "Frame_ sections do not match FrameCount")
    pictures = []
    for f in range(frames):
        fs = sections.get(f"Frame_{f}", {})
        parts = number(fs, "PartCount", 0, f"{path}[Frame_{f}]", 1, 32)
        have = [s for s in order if s.startswith(f"Part_{f}_")]
        if have != [f"Part_{f}_{p}" for p in range(parts)]:
            fault(path, f"frame {f}: Part_{f}_ sections do not match PartCount {parts}")
        for p in range(parts):
            ps = sections.get(f"Part_{f}_{p}", {})
            w = f"{path.name}[Part_{f}_{p}]"
            typ = number(ps, "Type", 0, w, 0, 2)
            left = number(ps, "left", 0, w, 0, VIEW_W)
            top = number(ps, "top", 0, w, 0, VIEW_H)
            width = number(ps, "width", 0, w, 1, VIEW_W)
            height = number(ps, "height", 0, w, 1, VIEW_H)
            if left + width > VIEW_W or top + height > VIEW_H:
                fault(w, f"part reaches past the {VIEW_W}x{VIEW_H} frame")
            for key in ("BackColor", "Color", "Color_Border", "Color_Back"):
                if key in ps and not re.fullmatch(r"[0-9A-Fa-f]{1,6}", ps[key]):
                    fault(w, f"{key} is not a hexadecimal colour")
            if typ == 0:
                text = ps.get("Text", "")
                if not text or len(text) > 518:
                    fault(w, "text part empty or longer than 518 characters")
                for ref in re.findall(r"#(\d+)", text):
                    if expand_ref(lay, int(ref), keypad_refs) is None:
                        fault(w, f"key reference #{ref} expands to nothing")
                if len(ps.get("Font_Face", "")) > 31:
                    fault(w, "Font_Face longer than 31 characters")
            if typ == 1:
                image = ps.get("ImageFile", "")
                src = courses_root.joinpath(*image.split("\\")).with_suffix(".svg")
                if not image.endswith(".bmp") or not src.is_file():
                    fault(w, f"ImageFile {image!r} has no SVG source")
                    continue
                size = svg_size(src)
                if size != (width, height):
                    fault(w, f"picture {src.name} is {size}, the part is {(width, height)}")
                pictures.append((src, size))
    return pictures


# ---------------------------------------------------------------------------------------

def read_bom_utf8(path):
    raw = path.read_bytes()
    if not raw.startswith(b"\xef\xbb\xbf"):
        fault(path, "no UTF-8 byte order mark")
    return raw[3:].decode("utf-8") if raw.startswith(b"\xef\xbb\xbf") else raw.decode("utf-8", "replace")


def check_dictionary(path, pattern):
    if not path.is_file():
        fault(path, "missing")
        return []
    text = read_bom_utf8(path)
    if len(text) > 32767:
        fault(path, f"{len(text)} characters; the engine keeps 32768 with the end mark")
    if "\r" in text or "\n" in text or "  " in text or text != text.strip():
        fault(path, "words must be separated by single spaces on one line")
    words = text.split(" ")
    seen = set()
    for word in words:
        if not re.fullmatch(pattern, word):
            fault(path, f"word {word!r} has characters the word phases never allow")
        if word in seen:
            fault(path, f"word {word!r} appears twice")
        seen.add(word)
    return words


def check_test_texts(root):
    if not root.is_dir():
        fault(root, "missing")
        return
    kinds = {0: [], 2: []}
    for cat in sorted(p for p in root.iterdir() if p.is_dir()):
        cfg = cat / "testcfg.ini"
        test_type = 0
        if cfg.is_file():
            m = re.search(r"(?ims)^\[general\]\s*$.*?^TestType=(\d+)\s*$", cfg.read_text(encoding="ascii"))
            if not m:
                fault(cfg, "no TestType in section general")
            else:
                test_type = int(m.group(1))
        texts = sorted(cat.glob("*.txt"))
        if not texts:
            fault(cat, "category without texts")
        for t in texts:
            body = read_bom_utf8(t)
            if not body.strip():
                fault(t, "empty")
            bad = sorted(set(body) - TYPEABLE - {"\r", "\n"})
            if bad:
                fault(t, f"characters not typeable on a US keyboard: {''.join(bad)!r}")
            for no, line in enumerate(body.split("\n"), 1):
                line = line.rstrip("\r")
                if line != line.rstrip() or "  " in line:
                    fault(f"{t}:{no}", "trailing blanks or two blanks in a row")
            if re.search(r"(?<!\r)\n|\r(?!\n)", body):
                fault(t, "line ends must be CR LF: a test drops line feeds and keeps carriage returns")
            if "\n\n" in body.replace("\r", ""):
                fault(t, "empty line: every line end is an Enter in a test")
            kinds.setdefault(test_type, []).append(len(body.split()))
    plain = kinds.get(0, [])
    if len([c for c in root.iterdir() if c.is_dir()]) - (1 if kinds.get(2) else 0) < 3:
        fault(root, "fewer than three ordinary test categories")
    if len(plain) < 12:
        fault(root, f"only {len(plain)} ordinary test texts")
    if plain and (max(plain) < 1500 or min(plain) > 250):
        fault(root, f"test lengths {min(plain)} to {max(plain)} words: no long or no short text")
    if not kinds.get(2):
        fault(root, "no original-copy category (TestType 2)")


# ---------------------------------------------------------------------------------------

def check_stage(stage, courses_root, texts, pictures):
    tutorial = stage / "Data" / "Tutorial"
    for src in texts:
        rel = src.relative_to(courses_root)
        out = tutorial / rel
        if src.name.endswith((".btf.txt", ".sld.txt")):
            out = out.with_name(src.name[:-4])
        if not out.is_file():
            fault(out, "not staged")
            continue
        raw = out.read_bytes()
        want = body_text(src)
        if raw[:2] != b"\xff\xfe" or raw[2:].decode("utf-16-le", "replace") != want:
            fault(out, "is not the UTF-16LE (FF FE, CR LF) image of its source")
    for src in courses_root.glob("*/*.ini"):
        out = tutorial / src.relative_to(courses_root)
        if not out.is_file() or out.read_bytes() != src.read_bytes():
            fault(out, "order file not staged as it is")
    for src, size in pictures:
        out = tutorial / src.relative_to(courses_root).with_suffix(".bmp")
        if not out.is_file():
            fault(out, "picture not staged")
            continue
        raw = out.read_bytes()
        if len(raw) < 54 or raw[:2] != b"BM":
            fault(out, "not a bitmap file")
            continue
        offset, header = struct.unpack_from("<II", raw, 10)
        width, height, planes, bits, compression = struct.unpack_from("<iiHHI", raw, 18)
        if header != 40 or bits not in (8, 24) or compression != 0:
            fault(out, f"header {header}, {bits} bits, compression {compression}: not a plain BMP3")
        if (width, abs(height)) != size:
            fault(out, f"bitmap is {width}x{height}, its SVG {size}")
        row = (width * bits // 8 + 3) // 4 * 4
        if offset + row * abs(height) > len(raw):
            fault(out, "pixel data shorter than the header says")


def run_checks(courses_root, data, stage, layouts_root):
    """Runs every check; returns the faults found and a one-line summary."""
    del FAULTS[:]
    layouts = read_layouts(layouts_root)
    if 0 not in layouts:
        fault(layouts_root, "no US layout (type 0) among the layout sources")
        return list(FAULTS), "no layouts"
    dict_dir = data / "Data" / "Dict"
    words = check_dictionary(dict_dir / "dictionary.txt", r"[a-z][a-z'\-]*[a-z]|[a-z]|[0-9]+")
    numbers = check_dictionary(dict_dir / "numdictionary.txt", r"[0-9.+\-*/]+")
    if len(" ".join(numbers)) > 16383:
        fault("numdictionary.txt", "longer than the 16383-character word pool: the tail is never used")

    texts, pictures, slide_layouts = [], [], {}
    courses = sorted(courses_root.glob("*/*.btf.txt"))
    if len(courses) < 3:
        fault(courses_root, "expected the English, the German and the keypad course")
    for course in courses:
        check_course(course, courses_root, layouts, words, numbers, texts, slide_layouts)
        texts.append(course)
    for slide in sorted(courses_root.glob("*/*/*.sld.txt")):
        lay, keypad_refs = slide_layouts.get(slide, (layouts[0], False))
        pictures += check_slides(slide, courses_root, lay, keypad_refs)
        texts.append(slide)
    check_test_texts(data / "Data" / "TestTexts")
    if stage:
        check_stage(stage, courses_root, texts, pictures)
    summary = (f"{len(courses)} courses, {len(texts)} content files, {len(pictures)} pictures checked; "
               f"{len(FAULTS)} faults")
    return list(FAULTS), summary


# Faults planted into a copy of the real content, each with a part of the message it must
# produce: proves that every family of checks above can fail.
MUTATIONS = [
    ("English/TouchTyping.btf.txt", "LessonCount=47", "LessonCount=48", "do not run Lesson_0"),
    ("English/TouchTyping.btf.txt", "KeyIndex=33 36", "KeyIndex=33 41", "cannot be taught"),
    ("English/TouchTyping.btf.txt", "KeyIndex=33 36", "KeyIndex=33  36", "single spaces"),
    ("English/TouchTyping.btf.txt", "Name=#32 and #37: middle fingers", "Name=#33 and #36: the home keys",
     "repeats lesson"),
    ("English/TouchTyping.btf.txt", "PracticePhaseType=9\n", "PracticePhaseType=3\n", "only phases 0/1"),
    ("English/TouchTyping.btf.txt", "PrenoticeMessage=Middle fingers on D and K",
     "PrenoticeMessage=Middle fingers on #32 and #37", "notices show it as written"),
    ("English/TouchTyping.btf.txt", "Name=Home row phrases", "Name=Home row phrases ", "untrimmed"),
    ("English/TouchTyping/toprow.txt", "the fruit is ripe", "the fruit is zesty", "not taught before"),
    ("English/TouchTyping/paragraphs.txt", "Every morning the baker", "Every morning. The baker",
     "is not the start of a line"),
    ("English/TouchTyping/welcome.sld.txt", "FrameCount=5", "FrameCount=6", "do not match FrameCount"),
    ("English/TouchTyping/welcome.sld.txt", "ImageFile=English\\TouchTyping\\posture.bmp",
     "ImageFile=English\\TouchTyping\\sitting.bmp", "has no SVG source"),
    ("English/TouchTyping/posture.svg", 'width="390" height="190"', 'width="400" height="190"', "the part is"),
    ("Deutsch/Tastschreiben/erste_saetze.txt", "sie ist gut", "sie ist gut so", "not taught before"),
    ("Deutsch/Tastschreiben.btf.txt", "KeyIndex=32 35", "KeyIndex=32 59", "cannot be taught"),
    ("Deutsch/Tastschreiben.btf.txt", "KeyboardLayoutType=1", "KeyboardLayoutType=7", "no shipped layout"),
    ("Deutsch/Tastschreiben/willkommen.sld.txt", "#32 und #35, die", "#32 und #41, die", "expands to nothing"),
    ("Keypad/NumericKeypad.btf.txt", "Name=Home keys 4 5 6", "Name=Home keys #8 #9 #10", "shows a main key"),
    ("@data/Data/Dict/dictionary.txt", " about ", " About ", "never allow"),
    ("@data/Data/TestTexts/Everyday Prose/A Walk in the Rain.txt", "\r\n", "\n", "CR LF"),
    ("@data/Data/TestTexts/Copy from Paper/testcfg.ini", "TestType=2", "TestType=0", "original-copy"),
]


def self_test(courses_root, data, layouts_root):
    import shutil
    import tempfile
    failures = 0
    with tempfile.TemporaryDirectory() as tmp:
        tmp = pathlib.Path(tmp)
        for rel, old, new, expect in MUTATIONS:
            c, d = tmp / "courses", tmp / "data"
            shutil.rmtree(c, ignore_errors=True)
            shutil.rmtree(d, ignore_errors=True)
            shutil.copytree(courses_root, c)
            shutil.copytree(data / "Data" / "Dict", d / "Data" / "Dict")
            shutil.copytree(data / "Data" / "TestTexts", d / "Data" / "TestTexts")
            target = d / rel[len("@data/"):] if rel.startswith("@data/") else c / rel
            raw = target.read_bytes()
            if old.encode() not in raw:
                print(f"self-test: {rel} no longer holds {old!r}; update the mutation")
                failures += 1
                continue
            target.write_bytes(raw.replace(old.encode(), new.encode(), 1))
            faults, _ = run_checks(c, d, None, layouts_root)
            if not any(expect in f for f in faults):
                print(f"self-test: planting {new!r} into {rel} was not reported ({expect!r} expected)")
                failures += 1
    print(f"self-test: {len(MUTATIONS) - failures} passed, {failures} failed")
    return failures


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--courses", required=True, type=pathlib.Path)
    ap.add_argument("--data", required=True, type=pathlib.Path)
    ap.add_argument("--stage", type=pathlib.Path)
    ap.add_argument("--layouts", type=pathlib.Path,
                    default=pathlib.Path(__file__).resolve().parent.parent / "layouts",
                    help="the readable layout sources (default: datasrc/layouts)")
    ap.add_argument("--self-test", action="store_true",
                    help="plant known faults into a copy of the content and expect each to be found")
    a = ap.parse_args()
    if a.self_test:
        return 1 if self_test(a.courses, a.data, a.layouts) else 0
    faults, summary = run_checks(a.courses, a.data, a.stage, a.layouts)
    for f in faults:
        print(f)
    print(summary)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
