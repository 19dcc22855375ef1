#!/usr/bin/env python3
"""Checks the reference manual in docs/reference against include/orvcc32.h.

Every name the header declares (each #define, typedef, struct tag and exported
function) must appear in an inline code span of a page, outside fenced blocks.
Messages, exported functions and record types must also name their own entry: a
heading of a page that contains the name. Control pages keep their sections in
the fixed order, pictures and links between pages must resolve, and each page
ends with an example: one fenced c block and at most one fenced rc block.

Usage:
  check-reference.py [--page PAGE]   check; lists what is missing, exit 1 if anything is
                                     (--page: of the pages' own problems only PAGE's)
  check-reference.py --plant         self-check: a message planted in a copy of the
                                     header must be reported, and nothing else
  check-reference.py --extract DIR [PAGE...]
                                     writes each page's example to DIR/PAGE.c (and .rc)
"""
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
HEADER = os.path.join(ROOT, "include", "orvcc32.h")
PAGES = os.path.join(ROOT, "docs", "reference")

CONTROL_PAGES = ["progress", "led", "weblink", "splitter", "meter", "hexeditor", "grid", "listview"]
OTHER_PAGES = ["mru", "theme", "init"]
CONTROL_SECTIONS = ["Overview", "Creating it", "Messages", "Notifications", "Records",
                    "Colours and metrics", "Keyboard and mouse", "Accessibility", "Example"]
PLANTED = "XYM_PLANTED"


# --- The header -------------------------------------------------------------

def strip_c_comments(text):
    return re.sub(r"/\*.*?\*/", " ", text, flags=re.S)


def header_names(text):
    """Returns {name: kind}; kind is message, function, record or name."""
    text = strip_c_comments(text)
    text = re.sub(r"\\\n", " ", text)
    names = {}
    for match in re.finditer(r"^\s*#\s*define\s+(\w+)(\([^)]*\))?[ \t]*(.*)$", text, re.M):
        name, params, value = match.group(1), match.group(2), match.group(3).strip()
        if name == "ORVCC32_H":
            continue
        alias = re.fullmatch(r"\w+", value) is not None and not re.fullmatch(r"(0x)?[0-9A-Fa-f]+", value)
        is_message = (not params and not alias and re.match(r"[A-Z]+M_\w+$", name)
                      and not name.startswith("IDM_"))
        names.setdefault(name, "message" if is_message else "name")
    for match in re.finditer(r"typedef\s+struct\s+(\w+)\s*\{.*?\}\s*([^;]+);", text, re.S):
        names[match.group(1)] = "name"
        declarators = [d.strip() for d in match.group(2).split(",")]
        names[declarators[0]] = "record"
        for other in declarators[1:]:
            names[other.lstrip("*").strip()] = "name"
    for match in re.finditer(r"ORVCCAPI\s+[\w\s\*]*?\bWINAPI\s+(\w+)\s*\(", text):
        names[match.group(1)] = "function"
    return names


# --- The pages --------------------------------------------------------------

class Page:
    def __init__(self, name, text):
        self.name = name
        self.text = text
        self.prose = re.sub(r"^```.*?^```[ \t]*$", "", text, flags=re.S | re.M)
        self.spans = set()
        for span in re.findall(r"`([^`\n]+)`", self.prose):
            self.spans.update(re.findall(r"\w+", span))
        self.headings = re.findall(r"^(#{1,6})\s+(.*?)\s*$", self.prose, re.M)
        self.heading_words = set()
        for _, title in self.headings:
            self.heading_words.update(re.findall(r"\w+", title))

    def anchors(self):
        result = set()
        for _, title in self.headings:
            slug = re.sub(r"[^\w\- ]", "", title.replace("`", "").strip().lower())
            result.add(slug.replace(" ", "-"))
        return result

    def example(self):
        """Returns (c source, rc source or None, problems)."""
        parts = re.split(r"^## Example\s*$", self.text, flags=re.M)
        if len(parts) != 2:
            return None, None, ["no single '## Example' section"]
        blocks = re.findall(r"^```(\w*)\n(.*?)^```[ \t]*$", parts[1], re.S | re.M)
        c = [body for lang, body in blocks if lang == "c"]
        rc = [body for lang, body in blocks if lang == "rc"]
        problems = []
        if len(c) != 1 or len(rc) > 1 or len(blocks) != len(c) + len(rc):
            problems.append("the example needs one c block and at most one rc block, nothing else")
        if re.search(r"^## ", parts[1], re.M):
            problems.append("the example is not the last section")
        return (c[0] if c else None), (rc[0] if rc else None), problems


def load_pages(directory):
    pages = {}
    for entry in sorted(os.listdir(directory)) if os.path.isdir(directory) else []:
        if entry.endswith(".md"):
            with open(os.path.join(directory, entry), encoding="utf-8") as f:
                pages[entry[:-3]] = Page(entry[:-3], f.read())
    return pages


def page_problems(page, pages, directory):
    problems = []
    if page.name in CONTROL_PAGES:
        sections = [title for level, title in page.headings if level == "##"]
        order = [s for s in sections if s in CONTROL_SECTIONS]
        if order != CONTROL_SECTIONS:
            problems.append("sections %s, expected %s" % (order, CONTROL_SECTIONS))
        pictures = re.findall(r"!\[[^\]]*\]\(([^)]+)\)", page.text.split("## Overview")[0])
        if sorted(pictures) != sorted(["img/%s.png" % page.name, "img/%s-dark.png" % page.name]):
            problems.append("pictures before the overview: %s" % pictures)
    if page.name in CONTROL_PAGES + OTHER_PAGES:
        problems += page.example()[2]
    for target in re.findall(r"\]\(([^)\s]+)\)", page.prose):
        if re.match(r"\w+:", target):
            continue
        path, _, anchor = target.partition("#")
        other = page if not path else None
        if path:
            full = os.path.normpath(os.path.join(directory, path))
            if not os.path.exists(full):
                problems.append("link to a missing file: %s" % target)
                continue
            if path.endswith(".md") and os.path.dirname(full) == os.path.normpath(directory):
                other = pages.get(os.path.basename(path)[:-3])
        if anchor and other is not None and anchor not in other.anchors():
            problems.append("link to a missing heading: %s" % target)
    return problems


def check(header_text, directory):
    """Returns the list of problems."""
    pages = load_pages(directory)
    problems = []
    for name in CONTROL_PAGES + OTHER_PAGES:
        if name not in pages:
            problems.append("%s.md: missing" % name)
    for page in pages.values():
        problems += ["%s.md: %s" % (page.name, p) for p in page_problems(page, pages, directory)]
    spans = set().union(*(p.spans for p in pages.values())) if pages else set()
    headed = set().union(*(p.heading_words for p in pages.values())) if pages else set()
    for name, kind in sorted(header_names(header_text).items()):
        if name not in spans:
            problems.append("%s (%s): not documented" % (name, kind))
        elif kind != "name" and name not in headed:
            problems.append("%s (%s): no entry of its own" % (name, kind))
    return problems


# --- Commands ---------------------------------------------------------------

def extract(directory, wanted):
    pages = load_pages(PAGES)
    for name in wanted or CONTROL_PAGES + OTHER_PAGES:
        if name not in pages:
            sys.exit("no page %s" % name)
        c, rc, problems = pages[name].example()
        if problems:
            sys.exit("%s.md: %s" % (name, "; ".join(problems)))
        with open(os.path.join(directory, name + ".c"), "w", encoding="utf-8") as f:
            f.write(c)
        if rc is not None:
            with open(os.path.join(directory, name + ".rc"), "w", encoding="utf-8") as f:
                f.write(rc)


def main(argv):
    with open(HEADER, encoding="utf-8") as f:
        header = f.read()
    if argv[:1] == ["--extract"] and len(argv) >= 2:
        extract(argv[1], argv[2:])
        return 0
    if argv == ["--plant"]:
        planted = header.replace("#endif /* ORVCC32_H */",
                                 "#define %s (WM_USER + 999)\n#endif /* ORVCC32_H */" % PLANTED)
        found = [p for p in check(planted, PAGES) if p not in check(header, PAGES)]
        print("planted %s: %s" % (PLANTED, found or "not reported"))
        return 0 if found == ["%s (message): not documented" % PLANTED] else 1
    only = None
    if argv[:1] == ["--page"] and len(argv) == 2:
        only, argv = argv[1], []
    if argv:
        print(__doc__)
        return 2
    problems = check(header, PAGES)
    if only:
        problems = [p for p in problems if not re.match(r"\w+\.md: ", p) or p.startswith(only + ".md: ")]
    for problem in problems:
        print(problem)
    names = header_names(header)
    print("%d names of the header, %d problems" % (len(names), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
