# Reads a workbook with openpyxl (and its shared-string runs with ElementTree) and prints it as
# JSON: per sheet its name, column dimensions and cells with their values and styles.
import json
import sys
import zipfile
import xml.etree.ElementTree as ET

import openpyxl

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}


def colour(c):
    return c.rgb if c is not None and isinstance(c.rgb, str) else None


def runs_of(si):
    runs = []
    for r in si.findall("m:r", NS):
        props = r.find("m:rPr", NS)
        run = {"text": "".join(t.text or "" for t in r.findall("m:t", NS)),
               "bold": props.find("m:b", NS) is not None,
               "italic": props.find("m:i", NS) is not None,
               "size": props.find("m:sz", NS).get("val"),
               "color": props.find("m:color", NS).get("rgb")
               if props.find("m:color", NS) is not None else None}
        runs.append(run)
    return runs


path = sys.argv[1]
with zipfile.ZipFile(path) as archive:
    shared = [runs_of(si) for si in ET.fromstring(archive.read("xl/sharedStrings.xml"))]
    sheet_xml = [ET.fromstring(archive.read("xl/worksheets/sheet%d.xml" % (i + 1)))
                 for i in range(len(archive.namelist()) - 6)]

book = openpyxl.load_workbook(path)
result = {"sheets": []}
for index, ws in enumerate(book.worksheets):
    indices = {c.get("r"): int(c.find("m:v", NS).text)
               for c in sheet_xml[index].iter("{%s}c" % NS["m"])}
    rows = []
    for row in ws.iter_rows():
        cells = []
        for cell in row:
            if cell.coordinate not in indices:
                continue
            cells.append({
                "value": cell.value if cell.value is not None else "",
                "runs": shared[indices[cell.coordinate]],
                "bold": bool(cell.font.b),
                "italic": bool(cell.font.i),
                "color": colour(cell.font.color),
                "fill": colour(cell.fill.fgColor) if cell.fill.fill_type == "solid" else None,
                "border": all(getattr(cell.border, side).style == "thin"
                              for side in ("left", "right", "top", "bottom")),
                "wrap": bool(cell.alignment.wrap_text),
            })
        rows.append(cells)
    # Trailing empty rows are not listed by openpyxl; keep their count from the XML.
    row_count = len(sheet_xml[index].findall("m:sheetData/m:row", NS))
    rows += [[] for _ in range(row_count - len(rows))]
    columns = [{"min": d.min, "max": d.max, "width": d.width, "hidden": bool(d.hidden)}
               for d in sorted(ws.column_dimensions.values(), key=lambda d: d.min or 0)
               if d.min is not None]
    result["sheets"].append({"name": ws.title, "rows": rows, "columns": columns})
print(json.dumps(result, ensure_ascii=False))
