#!/usr/bin/env python3
"""Checks a folder of guide pages: every link and picture resolves, inside the folder, to a file that exists
and, for a link with #fragment, to an id on that page; every page is reachable from index.html; every picture
in the folder is shown by some page and has alternative text; every page has a title.

    check_guide.py FOLDER       exit 0 when the guide is whole, else 1 with one line per fault
    check_guide.py --generator QUILLBAY_GENERATE FOLDER
                                the code and warnings the guide quotes are what the generator prints now
"""
import html
import html.parser
import json
import os
import re
import subprocess
import sys
import urllib.parse

REMOTE = ("http:", "https:", "mailto:")


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.ids, self.links, self.pictures, self.title, self.in_title = set(), [], [], "", False

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        for key in ("id", "name") if tag == "a" else ("id",):
            if a.get(key):
                self.ids.add(a[key])
        if tag in ("a", "link") and a.get("href") is not None:
            self.links.append((tag, a["href"]))
        if tag == "img":
            self.pictures.append(a.get("src") or "")
            if not a.get("alt"):
                self.links.append(("img-without-alt", a.get("src") or ""))
        if tag == "title":
            self.in_title = True

    def handle_endtag(self, tag):
        if tag == "title":
            self.in_title = False

    def handle_data(self, data):
        if self.in_title:
            self.title += data


def check(folder):
    faults = []
    names = sorted(os.listdir(folder))
    pages = {}
    for name in names:
        if name.endswith(".html"):
            page = Page()
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                page.feed(f.read())
            pages[name] = page
    if "index.html" not in pages:
        return ["index.html: missing: it is the first page"]

    def target(page_name, ref):
        """The file in the folder a reference names, and its fragment; None for a reference that leaves it."""
        parts = urllib.parse.urlsplit(ref)
        if parts.scheme or parts.netloc or os.path.isabs(parts.path):
            return None
        path = urllib.parse.unquote(parts.path) or page_name
        resolved = os.path.normpath(os.path.join(os.path.dirname(page_name), path))
        if resolved.startswith("..") or os.sep in resolved:
            return None
        return resolved, urllib.parse.unquote(parts.fragment)

    shown, reached = set(), set()
    for name, page in pages.items():
        if not page.title.strip():
            faults.append(f"{name}: no <title>")
        for kind, ref in page.links:
            if kind == "img-without-alt":
                faults.append(f"{name}: picture {ref!r} has no alt text")
                continue
            if ref.startswith(REMOTE):
                continue
            found = target(name, ref)
            if found is None:
                faults.append(f"{name}: {ref!r} leads out of the guide's folder")
                continue
            file, fragment = found
            if file not in names:
                faults.append(f"{name}: {ref!r}: no file {file}")
            elif fragment and (file not in pages or fragment not in pages[file].ids):
                faults.append(f"{name}: {ref!r}: no id {fragment!r} on {file}")
            elif file in pages:
                reached.add(file)
        for src in page.pictures:
            found = target(name, src)
            if found is None or not src:
                faults.append(f"{name}: picture {src!r} is not a file of the guide's folder")
            elif found[0] not in names:
                faults.append(f"{name}: picture {src!r}: no file {found[0]}")
            else:
                shown.add(found[0])

    # Reachable from the first page, link by link.
    seen, todo = {"index.html"}, ["index.html"]
    while todo:
        for kind, ref in pages[todo.pop()].links:
            found = None if ref.startswith(REMOTE) or kind != "a" else target("index.html", ref)
            if found and found[0] in pages and found[0] not in seen:
                seen.add(found[0])
                todo.append(found[0])
    for name in pages:
        if name not in seen:
            faults.append(f"{name}: no page links to it from index.html on")
    for name in names:
        if name.endswith((".png", ".gif", ".jpg")) and name not in shown:
            faults.append(f"{name}: no page shows this picture")
    return faults


def page_text(folder, name):
    """The page's source with inline markup taken out and white space made single, to search in."""
    with open(os.path.join(folder, name), encoding="utf-8") as f:
        text = re.sub(r"</?(b|code|i|em)>", "", f.read())
    return re.sub(r"\s+", " ", text)


def check_generated(program, folder):
    def run(*args):
        return subprocess.run([program, *args], capture_output=True, text=True, check=True)

    def quoted(text):
        return re.sub(r"\s+", " ", html.escape(text.replace("\r\n", "\n"), quote=False)).strip()

    faults = []
    snippets = json.loads(run("--json").stdout)
    shown = page_text(folder, "snippets.html")
    for key, text in snippets.items():
        if quoted(text) not in shown:
            faults.append(f"snippets.html: the complete page does not hold the {key} snippet as generated: {text!r}")
    call = next(line for line in snippets["script"].splitlines() if line.startswith("window.open("))
    if quoted(call) not in page_text(folder, "features.html"):
        faults.append(f"features.html: the window.open call is not the generated one: {call!r}")
    listing = page_text(folder, "command-line.html")
    warned = run("--all-features", "--width", "0", "--function", "1'", "--window-name", "a-b", "--url", "</script",
                 "--check").stderr
    for line in warned.splitlines():
        warning = line.removeprefix("quillbay-generate: warning: ")
        warning = re.sub(r"^--[a-z-]+ ", "", warning) if not warning.startswith("--feature") else warning
        if quoted(warning) not in listing:
            faults.append(f"command-line.html: the warning is not listed as printed: {warning!r}")
    return faults


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "--generator":
        faults = check_generated(sys.argv[2], sys.argv[3])
        for fault in faults:
            print(fault)
        return 1 if faults else 0
    if len(sys.argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    faults = check(sys.argv[1])
    for fault in faults:
        print(f"{sys.argv[1]}/{fault}")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
