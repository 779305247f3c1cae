#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/
from the program's shipped data files and a few hand-made inputs. Each seed
follows the byte layout its target reads (see the target's source)."""
import pathlib
import struct

root = pathlib.Path(__file__).resolve().parent.parent
data = root / "data"
corpus = root / "fuzz" / "corpus"


def text(b: bytes) -> bytes:  # a length byte, then up to 255 bytes
    return bytes([len(b)]) + b


def long_text(b: bytes) -> bytes:  # two length bytes, then the bytes
    return struct.pack(">H", len(b)) + b


def seed(target: str, name: str, content: bytes) -> None:
    folder = corpus / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / name).write_bytes(content)


examples = sorted((root / "docs" / "manual" / "examples").glob("*.tvp"))
settings = ("[common configuration]\r\nlanguage=deutsch\r\n[data]\r\nNormalmodul m_n=2\r\n"
            "Zaehnezahl z=20\r\nNormaleingriffswinkel alpha_n=20\xb0\r\n"
            "[Project data]\r\nProject File Extension=tvp\r\n").encode("cp1252")

# number_text: precision, decimals, 8 bytes of a double, the text.
for i, (value, typed) in enumerate([(37.58770483143634, b"20,5"), (2.5, b"+7"), (-0.0004, b".5"),
                                    (1e20, b"0.0000000000000000001"), (1.005, b"1.2.3"),
                                    (999999999999999.9, b"  12 \xc2\xb0")]):
    seed("number_text", f"seed{i}", bytes([15 + 2, 3 + 2]) + struct.pack("<d", value) + typed)

# cp1252: any bytes, read both ways.
for i, b in enumerate([b"Z\xe4hnezahl 20\xb0 \x80", "Zähnezahl 20° €".encode(), b"\xc0\xbc\xc0\xaf\xe0\x80\xaf",
                       b"\xed\xa0\x80\xf4\x90\x80\x80", bytes(range(256))]):
    seed("cp1252", f"seed{i}", b)

# ini_document: section, key, value, then the file.
seed("ini_document", "settings", text(b"data") + text(b"Zaehnezahl z") + text(b"23") + settings)
seed("ini_document", "new_section", text(b" Neu ") + text(b"K\xc3\xa4y ") + text(b"v\r\nw") +
     b"; comment\n[a]\nk=1\n")
seed("ini_document", "unclosed", text(b"a") + text(b"k") + text(b"") + b"[a\r\nk=open\rno equals")

# project: a project file.
for example in examples:
    seed("project", example.stem, example.read_bytes())
seed("project", "comments", b"[project data]\r\nproject date=12/24/2025\r\ncomment lines=80\r\n"
     b"comment line 1=a\r\ncomment line 2= b \r\n")

# balls: editor actions, then the ball file.
actions = bytes([6, 1, 1, 6, 1, 2, 7, 0, 9, 8, 1, 3, 6, 9, 5, 4, 8])
for ball_file in sorted((data / "dat").glob("messkugel_*.dat")):
    seed("balls", ball_file.stem, text(actions) + ball_file.read_bytes())
seed("balls", "empty", text(bytes([1, 0, 6, 1, 201, 3]) + b"2,5") + b"")

# tables: deviation and tolerance picks, d, customer file name, the
# deviation file, the tolerance file.
for kind in ("DIN3967", "customer"):
    deviation = (data / "dat" / f"DeviationTable_{kind}.dat").read_bytes()
    tolerance = (data / "dat" / f"ToleranceTable_{kind}.dat").read_bytes()
    seed("tables", kind, bytes([3, 4, 11]) + text(b"DeviationTable_customer.dat") +
         long_text(deviation) + tolerance)
    seed("tables", kind + "_outside", bytes([0, 0, 200]) + text(b"../dat/x.dat") +
         long_text(deviation) + tolerance)

# report: options (1 json, 2 English, 4..12 mode, 16 measured), then the project.
for i, example in enumerate(examples):
    for options in (0, 1 | 2, 4 | 16, 8 | 1):
        seed("report", f"{example.stem}_{options}", bytes([options]) + example.read_bytes())
seed("report", "refused", bytes([1]) + b"[data]\r\nZaehnezahl z=abc\r\n")

# command_line: the arguments after the program's name, separated by NUL bytes.
for name, arguments in [
        ("report", ["report"]),
        ("project_english_wk", ["report", "gear.tvp", "--lang", "en", "--mode", "wk"]),
        ("json_measured", ["report", "--json", "--measured", "22,5"]),
        ("pdf", ["report", "--pdf", "out.pdf"]),
        ("pdf_json", ["report", "--pdf", "out.pdf", "--json"]),
        ("save_english", ["report", "--save", "--lang", "en"]),
        ("help", ["report", "--help"]),
        ("program_help", ["--help"]),
        ("version", ["--version"]),
        ("missing_value", ["report", "--lang"]),
        ("bad_mode", ["report", "--mode", "q"]),
        ("two_files", ["report", "a.tvp", "b.tvp"]),
        ("unknown", ["screenshot", "--x"])]:
    seed("command_line", name, b"\0".join(a.encode() for a in arguments))

# gear_table: chunk size, row limit (8 + 16 n bytes), column limit, then the table.
for name, options, table in [
        ("spreadsheet", [2, 255, 63], b"\xef\xbb\xbfid;m_n;z;beta;x\r\n\"Rad 1\";2,5;20;0;0,1\r\n"
         b"\"Ritzel; gross\";3;-50;12,5;-0,2\r\n;;;;\r\n"),
        ("quoted", [0, 255, 63], b"id,m_n,z\n\"a,b\",2,20\n\"say \"\"hi\"\"\",3,\"two\r\nlines\"\n\n"
         b"  x , 4 ,5,6\n7\r8,9"),
        ("unterminated", [5, 255, 63], b"m_n,z\n2,20\n3,\"30\n4,40\n"),
        ("header_problem", [1, 255, 63], b"m_n,z,m_n\n1,2,3\n"),
        ("long_row", [3, 1, 3], b"a,b\n1,2\n123456789012345678901234,5\n\"6\n7\n8\n9\",0\n3,4\n"),
        ("json_lines", [7, 255, 63], b"\xef\xbb\xbf{\"id\":\"Rad 1\",\"m_n\":2.5,\"z\":20,\"beta\":-0.2}\r\n\n"
         b"{\"z\":-50,\"m_n\":3,\"x\":1e-7,\"id\":null,\"b_w\":true}\n{\"m_n\":[1]}\n[1]\n{\"m_n\":2,\n"
         b"{\"m_n\":2,\"m_n\":3}\n{\"a\":\"Z\\u00e4hne \\\"q\\\"\"}"),
        ("json_limits", [0, 0, 1], b"{\"a\":\"1234567\"}\n{\"b\":1}\n{\"a\":\"12345678901234567890\"}\n")]:
    seed("gear_table", name, bytes(options) + table)

# part_log: options (1 read-only, 2 structure check, 4 record and void),
# then the database file. The schema is the program's own first migration
# step, read from its source; the files are made by Python's SQLite.
import re
import sqlite3
import tempfile

source = (root / "src" / "storage" / "part_log.cpp").read_text()
schema = re.search(r'R"sql\((.*?)\)sql"', source, re.S).group(1)
with tempfile.TemporaryDirectory() as folder:
    for name, options, journal in [("wal_records", 6, "wal"), ("rollback_records", 5, "delete"),
                                   ("checked_read_only", 3, "wal")]:
        path = pathlib.Path(folder) / (name + ".sqlite")
        db = sqlite3.connect(path)
        db.executescript(schema + "UPDATE schema_version SET version = 1;")
        for i in range(6):
            db.execute("INSERT INTO inspection (recorded_utc, utc_offset_minutes, project_file, "
                       "project_name, drawing, m_n, z, alpha_n, beta, x, dimension, measured, "
                       "nominal, upper_limit, lower_limit, verdict, back_calculation, x_e, "
                       "user_name, serial) VALUES (?, 60, 'welle.tvp', 'Welle', 'ZR-1', 2, 20, "
                       "20, 0, 0, ?, ?, '40.100', '40.130', '40.070', 'within', 'none', '', "
                       "'pruef', ?)", (f"2026-12-0{i + 1}T07:00:00Z", ["test", "wk", "mdk"][i % 3],
                                       f"40.1{i}", f"S-{i}"))
        db.execute("UPDATE inspection SET void_reason = 'Messfehler' WHERE id = 2")
        db.commit()
        db.execute(f"PRAGMA journal_mode = {journal}")
        db.close()
        seed("part_log", name, bytes([options]) + path.read_bytes())
