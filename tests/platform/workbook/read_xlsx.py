"""Reads an .xlsx with openpyxl (a reader we did not write) and prints what the tests check
as JSON: per sheet its cells (value, type, format, font, alignment, wrapping, shrinking,
borders), merged areas, row heights, page breaks, print titles and print area."""
import json
import sys
import warnings

import openpyxl


def cell_info(c):
    b = c.border
    return {
        "value": c.value,
        "type": c.data_type,
        "format": c.number_format,
        "bold": bool(c.font.b),
        "size": c.font.sz,
        "align": c.alignment.horizontal,
        "wrap": bool(c.alignment.wrap_text),
        "shrink": bool(c.alignment.shrink_to_fit),
        "border": [b.left.style, b.top.style, b.bottom.style, b.right.style],
    }


def sheet_info(ws):
    cells = {}
    for row in ws.iter_rows():
        for c in row:
            if c.value is None and not c.has_style:
                continue
            cells[c.coordinate] = cell_info(c)
    rows = {}
    for idx, dim in ws.row_dimensions.items():
        rows[str(idx)] = {"height": dim.height, "custom": bool(dim.customHeight), "hidden": bool(dim.hidden)}
    cols = {}
    for key, dim in ws.column_dimensions.items():
        cols[key] = {"width": dim.width, "hidden": bool(dim.hidden), "min": dim.min, "max": dim.max}
    return {
        "name": ws.title,
        "cells": cells,
        "merges": sorted(str(r) for r in ws.merged_cells.ranges),
        "rows": rows,
        "cols": cols,
        "rowBreaks": [b.id for b in ws.row_breaks.brk],
        "colBreaks": [b.id for b in ws.col_breaks.brk],
        "printTitleRows": ws.print_title_rows,
        "printTitleCols": ws.print_title_cols,
        "printArea": ws.print_area,
    }


def main():
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        wb = openpyxl.load_workbook(sys.argv[1])
        out = {"sheets": [sheet_info(ws) for ws in wb.worksheets]}
    out["warnings"] = [str(w.message) for w in caught]
    json.dump(out, sys.stdout, ensure_ascii=False, default=str)


main()
