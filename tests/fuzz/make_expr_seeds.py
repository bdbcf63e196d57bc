#!/usr/bin/env python3
"""Seeds for the expression fuzz target: texts and expressions as report templates write them."""
import os
import sys

SEEDS = [
    "1 + 2 * 3 = 7 and not 0",
    "[Part total] * 2 / [PAGE#] mod 3",
    "IF([Kategorie_DataSet.\"Type\"] = 1, 'ano', COPY('abc', 2, 1))",
    "Strana [PAGE#] z [TOTALPAGES]",
    "Celkem [Sum([Part total], Band8) #N#,##0.00] Kč [Count(Band4, 1)]",
    "[DATE #Dd. mmmm yyyy] [TIME #Thh:nn] [Flag #BNe;Ano] [X #N2,2]",
    "R_PATH([Object_DataSet.\"UpLink\"]) + ' / ' + R_MAXKATEGORIE(Fak01)",
    "FORMATFLOAT('#,##0.00;(0.00);\"nula\"', -12.5) + FORMATDATETIME('dddd d. mmmm yyyy h:nn am/pm', DATE)",
    "FORMATTEXT('>LL-000;0;_', 'ab123') + STR(ROUND(2.5)) + NAMECASE(TRIM('  jAN  '))",
    "MAX(SUM(x, B1) * 2, B2, 2) + MAXNUM(1,5; 2) + Arr[1 + 1]",
    "0.00E+00",
    "'It''s' + \"dq\" + [[nested [deep]]]",
]


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for i, s in enumerate(SEEDS):
        with open(os.path.join(out, "seed%02d" % i), "wb") as f:
            f.write(s.encode("utf-8"))


if __name__ == "__main__":
    main()
