#!/usr/bin/env python3
"""check_guide.py FOLDER: every link and picture of the guide's pages names a file of the folder (a #fragment an
id on that page), every picture has alt text, every page but index.html is linked from another. Else exit 1."""
import html.parser
import os
import sys
import urllib.parse


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.ids, self.refs = set(), []  # refs: (tag, address, alternative text)

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        self.ids.update(a[key] for key in (("id", "name") if tag == "a" else ("id",)) if a.get(key))
        if tag in ("a", "link") and a.get("href") is not None:
            self.refs.append((tag, a["href"], "-"))
        elif tag == "img":
            self.refs.append((tag, a.get("src") or "", a.get("alt")))


def check(folder):
    names, pages = set(os.listdir(folder)), {}
    for name in sorted(n for n in names if n.endswith(".html")):
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            pages[name] = Page()
            pages[name].feed(f.read())
    faults, linked = [], {"index.html"}  # with no index.html, every link to it fails
    for name, page in pages.items():
        for tag, ref, alt in page.refs:
            parts = urllib.parse.urlsplit(ref)
            file = os.path.normpath(urllib.parse.unquote(parts.path)) if parts.path else name
            if not alt:
                faults.append(f"{name}: picture {ref!r} has no alt text")
            if parts.scheme in ("http", "https", "mailto") and tag != "img":
                continue
            if not ref or parts.scheme or parts.netloc or file not in names:
                faults.append(f"{name}: {ref!r} names no file of the guide's folder")
            elif parts.fragment and urllib.parse.unquote(parts.fragment) not in getattr(pages.get(file), "ids", ()):
                faults.append(f"{name}: {ref!r}: no id {parts.fragment!r} on {file}")
            elif tag == "a" and file != name:
                linked.add(file)
    return faults + [f"{name}: no other page links to it" for name in pages.keys() - linked]


if __name__ == "__main__":
    faults = check(sys.argv[1]) if len(sys.argv) == 2 else sys.exit(__doc__)
    print("\n".join(f"{sys.argv[1]}/{fault}" for fault in faults) or f"{sys.argv[1]}: the guide is whole")
    sys.exit(1 if faults else 0)
