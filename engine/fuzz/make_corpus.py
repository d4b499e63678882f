#!/usr/bin/python3
"""Writes the fuzz seed corpus: small tables of every kind, each followed by
the separator and its memo file, made by the engine (through dbf_tsv) and by
python3-dbf. Run again when the input layout changes:

    engine/fuzz/make_corpus.py --tool build/engine/tests/system/dbf_tsv
"""
import datetime
import os
import sys
import tempfile

import dbf

SEPARATOR = b"\n<MEMO>\n"
HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus")

DESCRIPTION = (
    "#fields\tNAVN:C:12:0\tBELOP:N:8:2\tDATO:D:8:0\tOK:L:1:0\tNOTAT:M:10:0\n"
    "rec\t0\tÆrø\t-1.50\t20240229\tT\tKort æøå\n"
    "rec\t1\t\t\t\t\t" + "x" * 70 + "\n"
    "rec\t0\tTre\t12.00\t19991231\tF\t\n"
)
PLAIN = "#fields\tNAVN:C:5:0\tANTALL:N:3:0\nrec\t0\tab\t7\n"


def seed(name, table, memo=None):
    with open(table, "rb") as f:
        data = f.read()
    if memo is not None:
        with open(memo, "rb") as f:
            data += SEPARATOR + f.read()
    with open(os.path.join(CORPUS, name), "wb") as f:
        f.write(data)


def engine_seeds(tool, folder):
    description = os.path.join(folder, "d.tsv")
    for dbtype, ext in ((0, "FPT"), (1, "DBT"), (2, "DBT")):
        with open(description, "w", encoding="utf-8") as f:
            f.write(DESCRIPTION)
        table = os.path.join(folder, f"e{dbtype}.DBF")
        os.system(f"'{tool}' create '{table}' {dbtype} '{description}'")
        seed(f"engine-type{dbtype}-memo", table, table[:-3] + ext)
    with open(description, "w", encoding="utf-8") as f:
        f.write(PLAIN)
    table = os.path.join(folder, "plain.DBF")
    os.system(f"'{tool}' create '{table}' 2 '{description}'")
    seed("engine-type2-plain", table)


def peer_seeds(folder):
    for kind, ext in (("db3", "dbt"), ("fp", "fpt"), ("vfp", "fpt")):
        path = os.path.join(folder, f"p_{kind}.dbf")
        table = dbf.Table(path, "NAVN C(10); BELOP N(8,2); DATO D; OK L; NOTAT M",
                          dbf_type=kind, codepage="cp1252")
        table.open(dbf.READ_WRITE)
        table.append(("Øst", 2.5, datetime.date(2001, 2, 3), True, "Memo æøå\r\nto"))
        table.append(("", None, None, None, ""))
        table.close()
        seed(f"dbf-{kind}-memo", path, path[:-3] + ext)


def main():
    if len(sys.argv) != 3 or sys.argv[1] != "--tool":
        sys.exit(__doc__)
    os.makedirs(CORPUS, exist_ok=True)
    with tempfile.TemporaryDirectory() as folder:
        engine_seeds(os.path.abspath(sys.argv[2]), folder)
        peer_seeds(folder)


if __name__ == "__main__":
    main()
