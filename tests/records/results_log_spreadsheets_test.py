#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The results log as teachers open it: LibreOffice Calc (its import dialog's
defaults, Italian, and with every detection and formula option ticked) and
Gnumeric (ssconvert's own guesses), run headless; each cell read back.

    results_log_spreadsheets_test.py KEEPER

Exits 77 (skipped) only when libreoffice or ssconvert is missing.
"""

import datetime
import gzip
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

NAMES = ["Anna", "Zoë; \"il grande\"", "1,5", "007", "3/4", "10 dic", " =1+1",
         "\u00a0=1+1", "\u3000=1+1", "\uff1d1+1", "\ufe661+1", "\uff0b39", "\ufe62 1",
         "\uff0d1", "\ufe631", "\uff20A1", "\ufe6bA1", "+39 333", "-1", "@SOMMA(A1)",
         "=HYPERLINK(\"http://x\";\"clic\")", "VERO", "TRUE", "#N/A", "1e5"]

CALC = {
    # The import dialog as it opens the first time: comma, semicolon and
    # tab ticked, Italian, nothing else.
    "defaults": "44/59/9,34,76,1,,1040,false,false,true,false,false,-1,false",
    # Everything that could turn a text into something else ticked: detect
    # special numbers, trim spaces, evaluate formulas.
    "everything ticked": "44/59/9,34,76,1,,1040,false,true,true,false,true,-1,true",
}

OFFICE = "urn:oasis:names:tc:opendocument:xmlns:office:1.0"
TABLE = "urn:oasis:names:tc:opendocument:xmlns:table:1.0"
GNM = "http://www.gnumeric.org/v10.dtd"

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def expected_text(name):
    return "".join("?" if ord(c) < 0x20 else c for c in name)


def calc_rows(csv_path, options, work):
    """Each row as a list of (type, shown text, value) from Calc."""
    out = os.path.join(work, "calc")
    subprocess.run(["libreoffice", "--headless", "-env:UserInstallation=file://" + work + "/lo",
                    "--infilter=CSV:" + options, "--convert-to", "fods", "--outdir", out,
                    csv_path], check=True, capture_output=True, timeout=120)
    tree = ET.parse(os.path.join(out, "risultati.fods"))
    rows = []
    for row in tree.iter(f"{{{TABLE}}}table-row"):
        cells = []
        for cell in row.findall(f"{{{TABLE}}}table-cell"):
            repeat = int(cell.get(f"{{{TABLE}}}number-columns-repeated", "1"))
            kind = cell.get(f"{{{OFFICE}}}value-type")
            text = "\n".join("".join(p.itertext()) for p in cell
                             if p.tag.endswith("}p"))
            value = (cell.get(f"{{{OFFICE}}}date-value") or cell.get(f"{{{OFFICE}}}time-value")
                     or cell.get(f"{{{OFFICE}}}value"))
            if kind is None and repeat > 1:
                break
            cells.extend([(kind, text, value)] * min(repeat, 20))
            if cell.get(f"{{{TABLE}}}formula"):
                cells[-1] = ("formula", text, value)
        rows.append(cells)
    return rows


def gnumeric_rows(csv_path, work):
    """Each row as a list of (type, shown text, value format) from Gnumeric."""
    out = os.path.join(work, "risultati.gnumeric")
    subprocess.run(["ssconvert", csv_path, out], check=True, capture_output=True, timeout=60)
    root = ET.fromstring(gzip.open(out).read())
    rows = {}
    for cell in root.iter(f"{{{GNM}}}Cell"):
        row, col = int(cell.get("Row")), int(cell.get("Col"))
        # ValueType 60 is a string, 40 a number (a date or time has a format).
        kind = {"60": "string", "40": "float", "20": "boolean", "50": "error"}.get(
            cell.get("ValueType"), "formula" if (cell.text or "").startswith("=") else "other")
        rows.setdefault(row, {})[col] = (kind, cell.text or "", cell.get("ValueFormat") or "")
    return [[r[c] for c in sorted(r)] for _, r in sorted(rows.items())]


def main():
    keeper = sys.argv[1]
    if not shutil.which("libreoffice") or not shutil.which("ssconvert"):
        print("SKIP: needs libreoffice (libreoffice-calc) and ssconvert (gnumeric)")
        return 77
    with tempfile.TemporaryDirectory() as work:
        records = os.path.join(work, "records")
        subprocess.run([keeper, "create", records], check=True, capture_output=True)
        for i, name in enumerate(NAMES):
            answer = subprocess.run([keeper, "log", records, str(i + 1), "1", "no", name],
                                    capture_output=True, text=True)
            check(answer.stdout.strip() == "logged", f"{name!r}: {answer.stdout}")
        today = datetime.date.today().isoformat()
        log = os.path.join(records, "risultati.csv")

        for setting, options in CALC.items():
            rows = calc_rows(log, options, work)
            check(rows[0][:9] == [("string", h, None) for h in
                                  ("data", "ora", "computer", "utente", "nome", "esatte",
                                   "sbagliate", "totale", "record")],
                  f"Calc {setting}: header {rows[0]}")
            for name, row in zip(NAMES, rows[1:]):
                check(len([c for c in row if c[0]]) == 9, f"Calc {setting}: {name!r} gave {row}")
                kind, text, _ = row[4]
                check(kind == "string" and text.lstrip("'") == expected_text(name),
                      f"Calc {setting}: {name!r} became {row[4]}")
                check(row[0][0] == "date" and row[0][2] == today,
                      f"Calc {setting}: the day is {row[0]}")
                # The time of day is a time once special numbers are detected.
                check(row[1][0] == ("time" if setting != "defaults" else "string"),
                      f"Calc {setting}: the time is {row[1]}")
                check([c[0] for c in row[5:8]] == ["float"] * 3, f"Calc {setting}: {row[5:8]}")
            print(f"[spreadsheet] Calc, {setting}: {len(rows) - 1} names read back as text")

        rows = gnumeric_rows(log, work)
        for name, row in zip(NAMES, rows[1:]):
            check(len(row) == 9, f"Gnumeric: {name!r} gave {row}")
            check(row[4][0] == "string" and row[4][1] == expected_text(name),
                  f"Gnumeric: {name!r} became {row[4]}")
            check(row[0][0] == "float" and "yy" in row[0][2] and
                  datetime.date(1899, 12, 30) + datetime.timedelta(days=int(float(row[0][1])))
                  == datetime.date.today(), f"Gnumeric: the day is {row[0]}")
            check(row[1][0] == "float" and "h" in row[1][2] and "y" not in row[1][2],
                  f"Gnumeric: the time is {row[1]}")
        print(f"[spreadsheet] Gnumeric: {len(rows) - 1} names read back as text")

    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
