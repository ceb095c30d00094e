#!/usr/bin/env python3
"""Writes data/Yomari.dal (lunisolar months) and data/Yomari.dae (the days of
each era in each court line) from the month and era tables in CSV.

A tool run by hand when the tables change, not by the build:
    scripts/make-lunisolar-data.py MONTHS.csv ERAS.csv data/
"""
import csv
import sys

FIRST_YEAR = 645  # the first lunisolar year any answer needs (大化 began in it)

HEADER_DAL = """\
# Lunisolar months of Japan, one line per lunisolar year:
#   year,jdn,leap,lengths
# year: the Western year in which its first month began; jdn: Julian Day
# Number of its first day; leap: 0, or n when 閏n月 follows month n; lengths:
# the days of each month in order (the 閏 month in its place), two digits each.
# The last month (明治5年12月) has 2 days: the next day was 1873-01-01.
# Sources: see README.md (manakai data-locale, 日本暦日原典, NAOJ; BSD-2).
"""

HEADER_DAE = """\
# The days of each era in each court line, oldest first as in the era files:
#   line,name,first_year,first_day,in_use_from,in_use_to
# line: n (Yomari.dan) or s (Yomari.das); name and first_year as in that file;
# first_day: the day it was proclaimed (its 元年 is the lunisolar year of that
# day); in_use_from/to: the first and last day this line dated by it. Days are
# lunisolar year-month-day (閏 before an intercalary month) up to 1872-12-31,
# Gregorian YYYY-MM-DD after.
# Sources: see README.md (manakai data-locale, wareki; BSD-2).
"""


def main():
    months_csv, eras_csv, out = sys.argv[1:4]
    years = {}
    order = []
    with open(months_csv, encoding="utf-8") as f:
        for r in csv.DictReader(f):
            y = int(r["year"])
            if y < FIRST_YEAR:
                continue
            if y not in years:
                years[y] = {"jdn": int(r["jdn"]), "leap": 0, "days": []}
                order.append(y)
            if r["leap"] == "1":
                years[y]["leap"] = int(r["month"])
            years[y]["days"].append(int(r["days"]))
    with open(f"{out}/Yomari.dal", "w", encoding="utf-8", newline="\n") as f:
        f.write(HEADER_DAL)
        for y in order:
            v = years[y]
            f.write(f"{y},{v['jdn']},{v['leap']},{''.join('%02d' % d for d in v['days'])}\n")
    with open(eras_csv, encoding="utf-8") as f, open(f"{out}/Yomari.dae", "w", encoding="utf-8", newline="\n") as o:
        o.write(HEADER_DAE)
        for r in csv.DictReader(f):
            o.write(",".join(r[k] for k in ("line", "name", "first_year", "first_day", "in_use_from", "in_use_to")))
            o.write("\n")


if __name__ == "__main__":
    main()
