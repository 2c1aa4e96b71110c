#!/usr/bin/env python3
"""Checks the help pages: each is well-formed enough to parse, uses the shared stylesheet,
links only to pages that exist, is reachable from the index, and the pages the program opens
by name are there. Usage: check_help.py HELP_DIR [--self-test]"""
import html.parser
import os
import shutil
import sys
import tempfile

# Pages the program opens by name: the index, the getting-started topic and the usage guide.
REQUIRED = ["index.htm", "getstart.htm", "welcome.htm"]
VOID = {"meta", "link", "br", "hr", "img", "input"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.styles, self.stack, self.problems, self.title = [], [], [], [], ""
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "a" and "href" in a:
            self.links.append(a["href"])
        if tag == "link" and a.get("rel") == "stylesheet":
            self.styles.append(a.get("href"))
        if tag == "title":
            self._in_title = True
        if tag not in VOID:
            self.stack.append(tag)

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False
        if tag in VOID:
            return
        if not self.stack or self.stack[-1] != tag:
            self.problems.append(f"</{tag}> closes <{self.stack[-1] if self.stack else 'nothing'}>")
            if tag in self.stack:
                while self.stack.pop() != tag:
                    pass
            return
        self.stack.pop()

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def check(folder):
    problems = []
    pages = sorted(f for f in os.listdir(folder) if f.endswith(".htm"))
    for name in REQUIRED:
        if name not in pages:
            problems.append(f"{name}: missing")
    linked = set()
    for name in pages:
        p = Page()
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            p.feed(f.read())
        p.close()
        problems += [f"{name}: {x}" for x in p.problems]
        if p.stack:
            problems.append(f"{name}: unclosed {p.stack}")
        if not p.title.strip():
            problems.append(f"{name}: no title")
        if "help.css" not in p.styles:
            problems.append(f"{name}: does not use help.css")
        for href in p.links:
            if "://" in href or href.startswith("mailto:") or href.startswith("#"):
                continue
            target = href.split("#")[0]
            linked.add(target)
            if not os.path.isfile(os.path.join(folder, target)):
                problems.append(f"{name}: link to missing {href}")
    for name in pages:
        if name != "index.htm" and name not in linked:
            problems.append(f"{name}: no page links to it")
    return problems


def self_test(folder):
    """Plants faults in a copy and expects each to be found."""
    faults = {
        "missing page": lambda d: os.remove(os.path.join(d, "getstart.htm")),
        "broken link": lambda d: open(os.path.join(d, "index.htm"), "a").write('<a href="nope.htm">x</a>'),
        "no stylesheet": lambda d: open(os.path.join(d, "orphan.htm"), "w").write(
            '<html><head><title>t</title></head><body><a href="index.htm">i</a></body></html>'),
        "bad nesting": lambda d: open(os.path.join(d, "index.htm"), "a").write("<p><b>x</p></b>"),
    }
    failed = []
    for what, plant in faults.items():
        with tempfile.TemporaryDirectory() as tmp:
            copy = os.path.join(tmp, "help")
            shutil.copytree(folder, copy)
            plant(copy)
            if not check(copy):
                failed.append(what)
    return failed


def main():
    folder = sys.argv[1]
    problems = check(folder)
    for p in problems:
        print(p)
    if "--self-test" in sys.argv:
        missed = self_test(folder)
        for m in missed:
            print(f"self-test: planted fault not found: {m}")
        problems += missed
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
