#!/usr/bin/env python3
"""Prints what an .xlsx file holds, one tab-separated record a line, for tests.

  book    <active sheet index>
  sheet   <index> <name> <selected cell>
  col     <sheet> <first column> <last column> <width>
  row     <sheet> <row> <height>
  cell    <sheet> <ref> <s|n|blank> <value> <font name> <font size> <bold>
          <font colour> <fill> <left> <top> <right> <bottom> <horizontal>
          <vertical> <wrap> <rotation>
Borders are style/colour; colours RRGGBB, "-" when not set. Text values
have CR, LF and tab written as \\r, \\n, \\t.
"""
import re
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main",
      "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships"}
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}id"


def colour(el):
    if el is None or el.get("rgb") is None:
        return "-"
    return el.get("rgb")[-6:].upper()


def text_of(si):
    # _xHHHH_ stands for the character HHHH (control characters the XML cannot hold).
    text = "".join(t.text or "" for t in si.iter("{%s}t" % NS["m"]))
    return re.sub(r"_x([0-9A-Fa-f]{4})_", lambda m: chr(int(m.group(1), 16)), text)


def escape(s):
    return s.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t")


def main(path):
    z = zipfile.ZipFile(path)
    names = z.namelist()
    shared = []
    if "xl/sharedStrings.xml" in names:
        shared = [text_of(si) for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS)]
    styles = ET.fromstring(z.read("xl/styles.xml"))
    fonts = []
    for f in styles.find("m:fonts", NS).findall("m:font", NS):
        name = f.find("m:name", NS)
        size = f.find("m:sz", NS)
        fonts.append((name.get("val") if name is not None else "-",
                      size.get("val") if size is not None else "-",
                      "1" if f.find("m:b", NS) is not None else "0",
                      colour(f.find("m:color", NS))))
    fills = []
    for f in styles.find("m:fills", NS).findall("m:fill", NS):
        p = f.find("m:patternFill", NS)
        fills.append(colour(p.find("m:fgColor", NS)) if p is not None and p.get("patternType") == "solid" else "-")
    borders = []
    for b in styles.find("m:borders", NS).findall("m:border", NS):
        sides = []
        for side in ("left", "top", "right", "bottom"):
            e = b.find("m:" + side, NS)
            style = e.get("style") if e is not None and e.get("style") else "none"
            sides.append(style + "/" + colour(e.find("m:color", NS) if e is not None else None))
        borders.append(sides)
    xfs = []
    for xf in styles.find("m:cellXfs", NS).findall("m:xf", NS):
        a = xf.find("m:alignment", NS)
        xfs.append((int(xf.get("fontId", 0)), int(xf.get("fillId", 0)), int(xf.get("borderId", 0)),
                    (a.get("horizontal") if a is not None and a.get("horizontal") else "general"),
                    (a.get("vertical") if a is not None and a.get("vertical") else "bottom"),
                    ("1" if a is not None and a.get("wrapText") == "1" else "0"),
                    (a.get("textRotation") if a is not None and a.get("textRotation") else "0")))

    book = ET.fromstring(z.read("xl/workbook.xml"))
    view = book.find("m:bookViews/m:workbookView", NS)
    print("book\t%s" % (view.get("activeTab", "0") if view is not None else "0"))
    rels = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
    targets = {r.get("Id"): r.get("Target") for r in rels}
    for index, sheet in enumerate(book.find("m:sheets", NS).findall("m:sheet", NS)):
        target = targets[sheet.get(REL)]
        xml = ET.fromstring(z.read("xl/" + target.lstrip("/").replace("xl/", "", 1)))
        sel = xml.find("m:sheetViews/m:sheetView/m:selection", NS)
        print("sheet\t%d\t%s\t%s" % (index, sheet.get("name"), sel.get("activeCell") if sel is not None else "A1"))
        cols = xml.find("m:cols", NS)
        for c in (cols.findall("m:col", NS) if cols is not None else []):
            print("col\t%d\t%s\t%s\t%s" % (index, c.get("min"), c.get("max"), c.get("width")))
        for r in xml.find("m:sheetData", NS).findall("m:row", NS):
            if r.get("ht"):
                print("row\t%d\t%s\t%s" % (index, r.get("r"), r.get("ht")))
            for c in r.findall("m:c", NS):
                v = c.find("m:v", NS)
                t = c.get("t")
                inline = c.find("m:is", NS)
                if t == "inlineStr" and inline is not None:
                    kind, value = "s", text_of(inline)
                elif v is None:
                    kind, value = "blank", ""
                elif t == "s":
                    kind, value = "s", shared[int(v.text)]
                elif t == "str":
                    kind, value = "s", v.text or ""
                else:
                    kind, value = "n", v.text
                font, fill, border, h, va, wrap, rot = xfs[int(c.get("s", 0))]
                print("\t".join(["cell", str(index), c.get("r"), kind, escape(value)] + list(fonts[font]) +
                                [fills[fill]] + borders[border] + [h, va, wrap, rot]))


if __name__ == "__main__":
    main(sys.argv[1])
