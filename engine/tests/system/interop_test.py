#!/usr/bin/python3
"""Tables move both ways between the engine and two independent dBASE readers.

The engine side is reached through the dbf_tsv tool: `create` builds a table
from a TSV description, `dump` prints a table's fields and values as TSV.
The peers are Debian's python3-dbfread (reader only) and python3-dbf
(reader and writer). python3-dbf has no dBASE IV support, so dBASE IV tables
are checked against dbfread alone.

Usage: interop_test.py --tool PATH/dbf_tsv [unittest arguments]
"""
import datetime
import os
import subprocess
import sys
import tempfile
import unittest
from decimal import Decimal

import dbf
import dbfread

TOOL = None


def _work_around_dbf_empty_memo_pointer():
    """python3-dbf 0.96 returns str instead of bytes for a memo pointer of 0
    written as digits ("         0", the empty pointer of dBASE tables), then
    fails decoding it. An empty memo is what such a pointer means."""
    memo_class = dbf.ver_33._DbfMemo
    original = memo_class.get_memo

    def get_memo(self, block):
        data = original(self, block)
        return b"" if isinstance(data, str) else data

    memo_class.get_memo = get_memo


_work_around_dbf_empty_memo_pointer()

LONG_MEMO = ("Lang tekst med æøå ÆØÅ og € over flere blokker. " * 40).strip()

# name, type, length, decimals
FIELDS = [
    ("NAVN", "C", 30, 0),
    ("BELOP", "N", 12, 2),
    ("ANTALL", "N", 6, 0),
    ("DATO", "D", 8, 0),
    ("AKTIV", "L", 1, 0),
    ("NOTAT", "M", 10, 0),
]

# One row per behaviour worth carrying across: text in cp1252, negative and
# fractional numbers, empty values, multi-block memos, line breaks in memos.
ROWS = [
    {"NAVN": "Blåbærsyltetøy på Ærø", "BELOP": Decimal("1234.50"), "ANTALL": 7,
     "DATO": datetime.date(2024, 2, 29), "AKTIV": True, "NOTAT": "Kort notat æøå"},
    {"NAVN": "Øvre Smørås – €", "BELOP": Decimal("-0.05"), "ANTALL": -42,
     "DATO": datetime.date(1999, 12, 31), "AKTIV": False, "NOTAT": LONG_MEMO},
    {"NAVN": "", "BELOP": None, "ANTALL": None, "DATO": None, "AKTIV": None,
     "NOTAT": ""},
    {"NAVN": "Linjeskift", "BELOP": Decimal("999999999.99"), "ANTALL": 0,
     "DATO": datetime.date(2000, 1, 1), "AKTIV": True,
     "NOTAT": "Første linje\r\nAndre linje\r\nTredje æøå"},
    {"NAVN": "ÆØÅ æøå ÄÖÜ é", "BELOP": Decimal("0.00"), "ANTALL": 123456,
     "DATO": datetime.date(2026, 12, 11), "AKTIV": False, "NOTAT": "x" * 511},
]

# The engine flags this row as deleted after writing it; peers must see the flag.
DELETED_ROW = 1
DELETED_FLAGS = [i == DELETED_ROW for i in range(len(ROWS))]

ENGINE_TYPES = {0: "FoxPro", 1: "dBASE IV", 2: "dBASE III"}
PEER_TYPES = {"db3": "dBASE III", "fp": "FoxPro 2", "vfp": "Visual FoxPro"}


def escape(text):
    return (text.replace("\\", "\\\\").replace("\t", "\\t")
            .replace("\n", "\\n").replace("\r", "\\r"))


def unescape(text):
    out, i = [], 0
    while i < len(text):
        c = text[i]
        if c == "\\" and i + 1 < len(text):
            out.append({"t": "\t", "n": "\n", "r": "\r"}.get(text[i + 1], text[i + 1]))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def stored_form(ftype, decimals, value):
    """The text the engine's Store is given for a value."""
    if value is None:
        return ""
    if ftype == "N":
        return f"{value:.{decimals}f}"
    if ftype == "D":
        return value.strftime("%Y%m%d")
    if ftype == "L":
        return "T" if value else "F"
    return str(value)


def parse_engine_value(ftype, raw):
    """Turns the engine's raw field text (or memo text) into a value."""
    if ftype == "C":
        return raw.rstrip(" ")
    if ftype == "M":
        return raw
    text = raw.strip()
    if ftype == "N":
        return Decimal(text) if text else None
    if ftype == "D":
        return datetime.date(int(text[0:4]), int(text[4:6]), int(text[6:8])) if text else None
    if ftype == "L":
        return {"T": True, "F": False}.get(text.upper()) if text else None
    raise ValueError(ftype)


def normalise_peer_value(ftype, value):
    """Brings a peer's value to the types the expected rows use."""
    if ftype == "C":
        return (value or "").rstrip(" ")
    if ftype == "M":
        return value or ""
    if ftype == "N":
        if value is None:
            return None
        return value
    if ftype == "D":
        if value is None or not value:
            return None
        return datetime.date(value.year, value.month, value.day)
    if ftype == "L":
        if value is True or value == True:  # noqa: E712 dbf.Logical compares, is not bool
            return True
        if value is False or value == False:  # noqa: E712
            return False
        return None
    raise ValueError(ftype)


def same_number(expected, actual):
    if expected is None or actual is None:
        return expected is None and actual is None
    if isinstance(actual, Decimal):
        return actual == expected
    return float(expected) == float(actual)


def run_tool(*args):
    result = subprocess.run([TOOL, *args], capture_output=True)
    if result.returncode != 0:
        raise AssertionError(f"dbf_tsv {' '.join(args)} failed: "
                             + result.stderr.decode("utf-8", "replace"))
    return result.stdout.decode("utf-8")


def write_description(path, fields, rows, deleted_flags):
    lines = ["#fields\t" + "\t".join(f"{n}:{t}:{l}:{d}" for n, t, l, d in fields)]
    for row, deleted in zip(rows, deleted_flags):
        values = [escape(stored_form(t, d, row[n])) for n, t, _, d in fields]
        lines.append(f"rec\t{int(deleted)}\t" + "\t".join(values))
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def engine_dump(table):
    """Fields and rows (dicts of values) of a table as the engine reads it."""
    lines = run_tool("dump", table).split("\n")
    header = lines[0].split("\t")
    assert header[0] == "#fields", lines[0]
    fields = []
    for column in header[1:]:
        name, ftype, length, decimals = column.split(":")
        fields.append((name, ftype, int(length), int(decimals)))
    rows = []
    for line in lines[1:]:
        if not line:
            continue
        cells = line.split("\t")
        assert cells[0] == "rec", line
        values = [unescape(c) for c in cells[2:]]
        row = {n: parse_engine_value(t, v) for (n, t, _, _), v in zip(fields, values)}
        row["_deleted"] = cells[1] == "1"
        rows.append(row)
    return fields, rows


class Comparison(unittest.TestCase):
    def assertRowsEqual(self, expected_rows, actual_rows, who):
        self.assertEqual(len(expected_rows), len(actual_rows), f"record count ({who})")
        for i, (expected, actual) in enumerate(zip(expected_rows, actual_rows), start=1):
            for name, ftype, _, _ in FIELDS:
                where = f"{who}: record {i} field {name}"
                if ftype == "N":
                    self.assertTrue(same_number(expected[name], actual[name]),
                                    f"{where}: {expected[name]!r} != {actual[name]!r}")
                else:
                    self.assertEqual(expected[name], actual[name], where)


class EngineTablesReadByPeers(Comparison):
    """Tables the engine creates read back identically in dbfread and dbf."""

    def make_table(self, folder, dbtype):
        description = os.path.join(folder, "rows.tsv")
        write_description(description, FIELDS, ROWS, DELETED_FLAGS)
        table = os.path.join(folder, "KORT.DBF")
        run_tool("create", table, str(dbtype), description)
        return table

    def test_dbfread_reads_every_engine_table_kind(self):
        for dbtype, kind in ENGINE_TYPES.items():
            with self.subTest(kind=kind), tempfile.TemporaryDirectory() as folder:
                table = self.make_table(folder, dbtype)
                read = dbfread.DBF(table, encoding="cp1252", char_decode_errors="strict", load=True)

                def values(record):
                    row = {n: normalise_peer_value(t, record[n]) for n, t, _, _ in FIELDS}
                    if dbtype == 1:
                        # dbfread reads a dBASE IV memo's stored length (which counts
                        # the 8-byte block header) as text length, so 8 block-padding
                        # NULs follow the text.
                        row["NOTAT"] = row["NOTAT"].rstrip("\0")
                    return row

                live = [r for r, deleted in zip(ROWS, DELETED_FLAGS) if not deleted]
                self.assertRowsEqual(live, [values(r) for r in read.records], f"dbfread on {kind}")
                self.assertRowsEqual([ROWS[DELETED_ROW]], [values(r) for r in read.deleted],
                                     f"dbfread on {kind}, deleted records")

    def test_dbf_reads_engine_foxpro_and_dbase3_tables(self):
        for dbtype in (0, 2):
            kind = ENGINE_TYPES[dbtype]
            with self.subTest(kind=kind), tempfile.TemporaryDirectory() as folder:
                table = self.make_table(folder, dbtype)
                peer = dbf.Table(table, codepage="cp1252")
                peer.open(dbf.READ_ONLY)
                try:
                    rows = [{n: normalise_peer_value(t, record[n.lower()]) for n, t, _, _ in FIELDS}
                            for record in peer]
                    self.assertEqual(DELETED_FLAGS, [bool(dbf.is_deleted(r)) for r in peer])
                finally:
                    peer.close()
                self.assertRowsEqual(ROWS, rows, f"dbf on {kind}")

    def test_engine_reads_back_what_it_wrote(self):
        for dbtype, kind in ENGINE_TYPES.items():
            with self.subTest(kind=kind), tempfile.TemporaryDirectory() as folder:
                table = self.make_table(folder, dbtype)
                fields, rows = engine_dump(table)
                self.assertEqual([(n, t) for n, t, _, _ in FIELDS], [(n, t) for n, t, _, _ in fields])
                self.assertRowsEqual(ROWS, rows, f"engine on {kind}")
                self.assertEqual(DELETED_FLAGS, [r["_deleted"] for r in rows])


class PeerTablesReadByEngine(Comparison):
    """Tables python3-dbf writes, with their memo files, open in the engine."""

    def make_peer_table(self, folder, peer_type):
        table = os.path.join(folder, "peer.dbf")
        layout = "; ".join(f"{n} C({l})" if t == "C" else
                         f"{n} N({l},{d})" if t == "N" else f"{n} {t}"
                         for n, t, l, d in FIELDS)
        peer = dbf.Table(table, layout, dbf_type=peer_type, codepage="cp1252")
        peer.open(dbf.READ_WRITE)
        try:
            for row in ROWS:
                peer.append(tuple(self.peer_value(t, row[n]) for n, t, _, _ in FIELDS))
            dbf.delete(peer[len(peer) - 1])
        finally:
            peer.close()
        return table

    @staticmethod
    def peer_value(ftype, value):
        if isinstance(value, Decimal):
            return float(value)
        return value

    def test_engine_reads_every_peer_table_kind(self):
        for peer_type, kind in PEER_TYPES.items():
            with self.subTest(kind=kind), tempfile.TemporaryDirectory() as folder:
                table = self.make_peer_table(folder, peer_type)
                fields, rows = engine_dump(table)
                self.assertEqual([n for n, _, _, _ in FIELDS], [n for n, _, _, _ in fields])
                self.assertRowsEqual(ROWS, rows, f"engine on {kind} written by dbf")
                self.assertEqual([False] * (len(ROWS) - 1) + [True],
                                 [r["_deleted"] for r in rows], "deletion flags")


if __name__ == "__main__":
    if len(sys.argv) < 3 or sys.argv[1] != "--tool":
        sys.exit(__doc__)
    TOOL = sys.argv[2]
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
