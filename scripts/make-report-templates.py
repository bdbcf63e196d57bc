#!/usr/bin/env python3
"""Writes the four report templates shipped in Reports/.

The templates are ordinary .frf files in the report engine's XML format and may be edited in
the designer; this script only spares writing the many repeated table cells by hand. Run it from
the top of the repository after changing it: python3 scripts/make-report-templates.py
"""

import os
from xml.sax.saxutils import escape, quoteattr

FACTORS = [
    # field number, heading of a narrow table column, full name, category 4 offered
    (1, "Prach", "Zátěž prachem", True),
    (2, "Chemické látky", "Zátěž chemickými látkami", True),
    (3, "Hluk", "Zátěž hlukem", True),
    (4, "Vibrace", "Zátěž vibracemi", True),
    (5, "Neionizující záření", "Zátěž neionizujícím zářením a elmag. polem včetně laserů", False),
    (6, "Fyzická zátěž", "Fyzická zátěž", False),
    (7, "Pracovní poloha", "Zátěž prací v nevhodných pracovních polohách", False),
    (8, "Zátěž teplem", "Zátěž teplem", True),
    (9, "Zátěž chladem", "Zátěž chladem", False),
    (10, "Psychická zátěž", "Psychická zátěž", False),
    (11, "Zraková zátěž", "Zraková zátěž", False),
    (12, "Biologičtí činitelé", "Zátěž biologickými činiteli způsobujícími onemocnění", True),
    (13, "Zvýšený tlak vzd.", "Zátěž zvýšeným tlakem vzduchu", True),
]

FONT = "DejaVu Sans"
HEAD_FILL = "#dde5ee"
GROUP_FILL = "#eef2f6"
RULE = "#7f8c99"
HIGH_FILL = "#f6d5d0"


def kat(n):
    return f"R_KATEGORIE([Fak{n:02d}])"


# The overall category of an assessment: the highest category of its thirteen factors.
OVERALL = "R_MAXKATEGORIE(" + " + ".join(f"STR({kat(n)})" for n, *_ in FACTORS) + ")"


def num(v):
    return f"{v:g}"


class Band:
    def __init__(self, kind, name, height, **options):
        self.kind, self.name, self.height, self.options, self.items = kind, name, height, options, []

    def text(self, x, y, w, h, content, size=8, bold=False, italic=False, align="left", valign="top",
             frame=None, fill=None, stretch=False, rotation=0, hide_zeros=False, highlight=None,
             color=None, wrap=True):
        attrs = {"x": x, "y": y, "width": w, "height": h}
        if align != "left":
            attrs["h-align"] = align
        if valign != "top":
            attrs["v-align"] = valign
        if fill:
            attrs["fill"] = fill
        if color:
            attrs["color"] = color
        if stretch:
            attrs["stretch"] = "true"
        if rotation:
            attrs["rotation"] = rotation
        if hide_zeros:
            attrs["hide-zeros"] = "true"
        if not wrap:
            attrs["word-wrap"] = "false"
        inner = [font(size, bold, italic)]
        if frame:
            inner.append(frame)
        if highlight:
            inner.append(highlight)
        inner.append(f"<content>{escape(content)}</content>")
        self.items.append(("text", attrs, inner))
        return self

    def line(self, x, y, w, width=0.2, color=RULE):
        self.items.append(("line", {"x": x, "y": y, "width": w, "height": 0},
                           [frame_el("top", width, color)]))
        return self

    def xml(self, counter):
        opts = "".join(f" {k.replace('_', '-')}={quoteattr(str(v))}" for k, v in self.options.items())
        out = [f'    <band kind="{self.kind}" name="{self.name}" height="{num(self.height)}"{opts}>']
        for element, attrs, inner in self.items:
            counter[0] += 1
            a = "".join(f" {k}={quoteattr(num(v) if isinstance(v, float) else str(v))}" for k, v in attrs.items())
            out.append(f'      <{element} name="{element.capitalize()}{counter[0]}"{a}>{"".join(inner)}</{element}>')
        out.append("    </band>")
        return "\n".join(out)


def font(size, bold=False, italic=False):
    extra = (' bold="true"' if bold else "") + (' italic="true"' if italic else "")
    return f'<font family="{FONT}" size="{num(size)}"{extra}/>'


def frame_el(sides="left top right bottom", width=0.2, color=RULE):
    return f'<frame sides="{sides}" width="{num(width)}" color="{color}"/>'


def high_category(condition):
    return (f'<highlight condition={quoteattr(condition)} fill="{HIGH_FILL}">'
            f'{font(8, bold=True)}</highlight>')


def page_header(band_width, title, subtitle):
    b = Band("page-header", "Zahlavi", 15)
    b.text(0, 0, band_width * 0.6, 7, title, size=14, bold=True)
    b.text(band_width * 0.6, 0.8, band_width * 0.4, 5, "Dokument: [Dokument]", size=9, align="right")
    b.text(0, 7.2, band_width * 0.6, 4.5, subtitle, size=8, italic=True, color="#404040")
    b.text(band_width * 0.6, 7.2, band_width * 0.4, 4.5, "Vytištěno [DATE #Dd.m.yyyy]", size=8,
           align="right", color="#404040")
    b.line(0, 12.5, band_width, width=0.5, color="#2f3b48")
    return b


def page_footer(band_width, title):
    b = Band("page-footer", "Zapati", 8)
    b.line(0, 1, band_width, width=0.3)
    b.text(0, 2.2, band_width * 0.7, 4.5, f"Ergotab – {title} – [Dokument]", size=7.5, color="#404040")
    b.text(band_width * 0.7, 2.2, band_width * 0.3, 4.5, "strana [PAGE#] z [TOTALPAGES]", size=7.5, align="right")
    return b


def report(name, description, pages_xml, dialogs_xml=""):
    return (f'<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<report version="1" name={quoteattr(name)}>\n'
            f"  <description>{escape(description)}</description>\n"
            f"{dialogs_xml}{pages_xml}</report>\n")


def page(bands, orientation="portrait", margins=(15, 12, 12, 12)):
    counter = [0]
    left, top, right, bottom = margins
    body = "\n".join(b.xml(counter) for b in bands)
    return (f'  <page name="Strana" paper="A4" orientation="{orientation}" margin-left="{left}" '
            f'margin-top="{top}" margin-right="{right}" margin-bottom="{bottom}">\n{body}\n  </page>\n')


# --- Kategorizace prací: every assessment with its path, factors and head counts.

def kategorizace():
    W = 277.0
    name_w, fak_w, tail_w = 111.0, 10.0, 12.0
    head_h = 32.0
    bands = [page_header(W, "Kategorizace prací", "podle vyhlášky č. 432/2003 Sb.")]

    h = Band("column-header", "HlavickaTabulky", head_h + 1)
    h.text(0, 0, name_w, head_h, "Práce\n(pracoviště je uvedeno nad pracemi)", size=8, bold=True,
           valign="bottom", frame=frame_el(), fill=HEAD_FILL)
    x = name_w
    for n, short, _, _ in FACTORS:
        h.text(x, 0, fak_w, head_h, f"{n}  {short}", size=7, rotation=90, valign="center",
               frame=frame_el(), fill=HEAD_FILL, wrap=False)
        x += fak_w
    for caption in ("Kategorie práce", "Zaměstnanců", "z toho žen"):
        h.text(x, 0, tail_w, head_h, caption, size=7, bold=caption.startswith("Kat"), rotation=90,
               valign="center", frame=frame_el(), fill=HEAD_FILL, wrap=False)
        x += tail_w
    bands.append(h)

    g = Band("group-header", "Pracoviste", 6.5, condition="[UpLink]", keep_together="true", repeat="true")
    g.text(0, 0.5, W, 6, "[IF([UpLink] = 0, 'Práce mimo pracoviště', R_PATH([UpLink]))]", size=8.5,
           bold=True, valign="center", fill=GROUP_FILL, frame=frame_el("bottom", 0.3))
    bands.append(g)

    d = Band("master-data", "Prace", 5.5, data_source="Kategorie_DataSet", stretch="true")
    d.line(0, 0, W, width=0.1, color="#b8c2cc")
    d.text(1.5, 0.5, name_w - 2, 4.5, "[Text]", size=8, stretch=True)
    x = name_w
    for n, *_ in FACTORS:
        d.text(x, 0.5, fak_w, 4.5, f"[{kat(n)}]", size=8, align="center", hide_zeros=True,
               highlight=high_category(f"{kat(n)} >= 3"))
        x += fak_w
    d.text(x, 0.5, tail_w, 4.5, f"[{OVERALL}]", size=8, bold=True, align="center", hide_zeros=True,
           highlight=high_category(f"{OVERALL} >= 3"))
    x += tail_w
    d.text(x, 0.5, tail_w - 1.5, 4.5, "[Pracov]", size=8, align="right")
    x += tail_w
    d.text(x, 0.5, tail_w - 1.5, 4.5, "[Zen]", size=8, align="right")
    bands.append(d)

    s = Band("report-summary", "Souhrn", 24)
    s.line(0, 0, W, width=0.5, color="#2f3b48")
    s.text(1.5, 1.2, name_w + 13 * fak_w - 2, 5, "Celkem hodnocených prací: [COUNT(Prace)]", size=8.5, bold=True)
    s.text(name_w + 13 * fak_w + tail_w, 1.2, tail_w - 1.5, 5, "[SUM([Pracov], Prace)]", size=8.5, bold=True,
           align="right")
    s.text(name_w + 13 * fak_w + 2 * tail_w, 1.2, tail_w - 1.5, 5, "[SUM([Zen], Prace)]", size=8.5, bold=True,
           align="right")
    s.text(0, 9, W, 13,
           "Ve sloupcích faktorů je nejvyšší kategorie označená u faktoru (prázdné pole: kategorie neurčena); "
           "kategorie práce je nejvyšší kategorie ze všech faktorů. Kategorie 3 a 4 jsou zvýrazněny. "
           "Práce se zařazují do kategorií podle § 37 zákona č. 258/2000 Sb. a vyhlášky č. 432/2003 Sb.",
           size=7.5, italic=True, color="#404040")
    bands.append(s)
    bands.append(page_footer(W, "Kategorizace prací"))
    return report("Kategorizace prací",
                  "Všechny práce dokumentu po pracovištích s kategoriemi třinácti faktorů, celkovou "
                  "kategorií a počty zaměstnanců.",
                  page(bands, "landscape", (10, 10, 10, 10)))


# --- Souhrn kategorií: per factor and category, how many works, employees and women.

def souhrn():
    W = 277.0
    name_w, cell_w = 73.0, 17.0
    bands = [page_header(W, "Souhrn kategorií", "počty prací, zaměstnanců a žen podle faktorů a kategorií")]
    # The works are walked without being printed; the summary adds them up.
    bands.append(Band("master-data", "Prace", 0, data_source="Kategorie_DataSet"))

    s = Band("report-summary", "Tabulka", 160)
    s.text(0, 2, name_w, 12, "Faktor", size=8.5, bold=True, valign="center", frame=frame_el(), fill=HEAD_FILL)
    for k in range(4):
        x = name_w + k * 3 * cell_w
        s.text(x, 2, 3 * cell_w, 6, f"Kategorie {k + 1}", size=8.5, bold=True, align="center", valign="center",
               frame=frame_el(), fill=HEAD_FILL)
        for j, caption in enumerate(("prací", "zaměstnanců", "žen")):
            s.text(x + j * cell_w, 8, cell_w, 6, caption, size=6.5, align="center", valign="center",
                   frame=frame_el(), fill=HEAD_FILL)
    y = 14.0
    row_h = 6.0
    for n, _, full, cat4 in FACTORS:
        s.text(0, y, name_w, row_h, f"{n}. {full}", size=7, valign="center", frame=frame_el())
        for k in range(1, 5):
            x = name_w + (k - 1) * 3 * cell_w
            cond = f"{kat(n)} = {k}"
            values = (f"[SUM(IF({cond}, 1, 0), Prace)]", f"[SUM(IF({cond}, [Pracov], 0), Prace)]",
                      f"[SUM(IF({cond}, [Zen], 0), Prace)]")
            for j, value in enumerate(values):
                shown = value if (k < 4 or cat4) else "–"
                s.text(x + j * cell_w, y, cell_w, row_h, shown, size=8, align="center",
                       valign="center", frame=frame_el(), bold=(j == 0),
                       fill="#f7f7f7" if shown == "–" else None)
        y += row_h
    y += 2
    s.text(0, y, name_w, 7, "Práce podle nejvyšší kategorie", size=8, bold=True, valign="center",
           frame=frame_el(), fill=GROUP_FILL)
    for k in range(1, 5):
        x = name_w + (k - 1) * 3 * cell_w
        cond = f"{OVERALL} = {k}"
        for j, value in enumerate((f"[SUM(IF({cond}, 1, 0), Prace)]", f"[SUM(IF({cond}, [Pracov], 0), Prace)]",
                                   f"[SUM(IF({cond}, [Zen], 0), Prace)]")):
            s.text(x + j * cell_w, y, cell_w, 7, value, size=8, bold=True, align="center", valign="center",
                   frame=frame_el(), fill=GROUP_FILL)
    y += 10
    s.text(0, y, W, 5, "Celkem hodnocených prací: [COUNT(Prace)]     zaměstnanců: [SUM([Pracov], Prace)]     "
           "z toho žen: [SUM([Zen], Prace)]", size=9, bold=True)
    y += 7
    s.text(0, y, W, 10,
           "U každého faktoru se počítá nejvyšší kategorie, která je u práce označena. Práce bez označené "
           "kategorie faktoru se u něj nepočítají. Faktory označené „–“ kategorii 4 nemají.",
           size=7.5, italic=True, color="#404040")
    bands.append(s)
    bands.append(page_footer(W, "Souhrn kategorií"))
    return report("Souhrn kategorií",
                  "Počty prací, zaměstnanců a žen v jednotlivých kategoriích třinácti faktorů a podle "
                  "nejvyšší kategorie práce.",
                  page(bands, "landscape", (10, 10, 10, 10)))


# --- Návrh na zařazení prací do kategorií: the employer's proposal for works in categories 3 and 4.

def navrh():
    W = 178.0
    dialog = f'''  <dialog name="Zamestnavatel" caption="Údaje o zaměstnavateli" width="460" height="250">
    <control kind="label" name="LabelNazev" x="12" y="14" width="130" height="22" text="Zaměstnavatel:"/>
    <control kind="edit" name="Nazev" x="150" y="12" width="296" height="24"/>
    <control kind="label" name="LabelIco" x="12" y="46" width="130" height="22" text="IČO:"/>
    <control kind="edit" name="Ico" x="150" y="44" width="120" height="24"/>
    <control kind="label" name="LabelSidlo" x="12" y="78" width="130" height="22" text="Sídlo (adresa):"/>
    <control kind="edit" name="Sidlo" x="150" y="76" width="296" height="24"/>
    <control kind="label" name="LabelSmena" x="12" y="110" width="130" height="22" text="Délka směny:"/>
    <control kind="edit" name="DelkaSmeny" x="150" y="108" width="120" height="24" text="8 hodin"/>
    <control kind="label" name="LabelSmennost" x="12" y="142" width="130" height="22" text="Směnnost:"/>
    <control kind="combo-box" name="Smennost" x="150" y="140" width="296" height="24" text="jednosměnný provoz">
      <item>jednosměnný provoz</item>
      <item>dvousměnný provoz</item>
      <item>třísměnný provoz</item>
      <item>nepřetržitý provoz</item>
    </control>
    <control kind="button" name="OK" x="254" y="206" width="90" height="28" text="OK" modal-result="1"/>
    <control kind="button" name="Zrusit" x="356" y="206" width="90" height="28" text="Zrušit" modal-result="2"/>
  </dialog>
'''
    bands = []
    t = Band("report-title", "Uvod", 62)
    t.text(0, 0, 110, 5.5, "[Nazev]", size=10, bold=True)
    t.text(0, 5.5, 110, 4.5, "IČO: [Ico]", size=9)
    t.text(0, 10, 110, 9, "[Sidlo]", size=9)
    t.text(110, 0, W - 110, 14, "Krajská hygienická stanice\n(příslušná podle místa výkonu práce)", size=9,
           align="right")
    t.text(0, 24, W, 8, "Návrh na zařazení prací do kategorií", size=15, bold=True, align="center")
    t.text(0, 32, W, 5, "podle § 37 odst. 3 zákona č. 258/2000 Sb., o ochraně veřejného zdraví", size=9,
           align="center", italic=True)
    t.text(0, 40, W, 14,
           "Zaměstnavatel [Nazev], IČO [Ico], se sídlem [Sidlo], předkládá návrh na zařazení níže uvedených "
           "prací do kategorie třetí nebo čtvrté podle vyhlášky č. 432/2003 Sb. U každé práce jsou uvedeny "
           "údaje podle § 37 odst. 3 zákona.", size=9)
    t.text(0, 54, W, 5, "Délka směny: [DelkaSmeny]; směnnost: [Smennost].", size=9)
    bands.append(t)

    head_w = 58.0
    d = Band("master-data", "Prace", 14, data_source="Kategorie_DataSet", keep_together="true",
             child="PraceMereni", print_if=f"{OVERALL} >= 3")
    d.line(0, 1, W, width=0.5, color="#2f3b48")
    d.text(0, 2.5, W, 6, "[LINE#]. [Text]", size=10.5, bold=True, stretch=True)
    d.text(0, 9, head_w, 4.5, "Práce a pracoviště:", size=8.5, bold=True, stretch=True)
    d.text(head_w, 9, W - head_w, 4.5, "[Text]; [R_PATH([UpLink])]", size=8.5, stretch=True)
    bands.append(d)

    m = Band("child", "PraceMereni", 6, stretch="true", child="PraceKategorie")
    m.text(0, 0.5, head_w, 4.5, "Výsledky hodnocení expozice:", size=8.5, bold=True, stretch=True)
    m.text(head_w, 0.5, W - head_w, 4.5, "[IF(TRIM([Mereni]) = '', 'neuvedeny', [Mereni])]", size=8.5,
           stretch=True)
    bands.append(m)

    cell_w = (W - head_w) / 13
    k = Band("child", "PraceKategorie", 27, child="PraceOpatreni")
    k.text(0, 1, head_w, 9, "Navrhovaná kategorie podle faktorů:", size=8.5, bold=True)
    for i, (n, short, _, _) in enumerate(FACTORS):
        x = head_w + i * cell_w
        k.text(x, 1, cell_w, 13, short, size=5, align="center", valign="center", frame=frame_el(),
               fill=HEAD_FILL)
        k.text(x, 14, cell_w, 5, f"[{kat(n)}]", size=8.5, align="center", valign="center", frame=frame_el(),
               hide_zeros=True, highlight=high_category(f"{kat(n)} >= 3"))
    k.text(0, 20.5, head_w, 4.5, "Navrhovaná kategorie práce:", size=8.5, bold=True, stretch=True)
    k.text(head_w, 20.5, 12, 4.5, f"[{OVERALL}]", size=9, bold=True)
    k.text(head_w + 14, 20.5, 40, 4.5, "Zaměstnanců: [Pracov]", size=8.5)
    k.text(head_w + 56, 20.5, 40, 4.5, "z toho žen: [Zen]", size=8.5)
    bands.append(k)

    o = Band("child", "PraceOpatreni", 7, stretch="true")
    o.text(0, 0.5, head_w, 4.5, "Přijatá ochranná opatření:", size=8.5, bold=True, stretch=True)
    o.text(head_w, 0.5, W - head_w, 4.5, "[IF(TRIM([Opatreni]) = '', 'neuvedena', [Opatreni])]", size=8.5,
           stretch=True)
    bands.append(o)

    s = Band("report-summary", "Podpis", 42, keep_together="true")
    s.line(0, 1, W, width=0.5, color="#2f3b48")
    s.text(0, 4, W, 5, "Počet navrhovaných prací: [COUNT(Prace)]", size=9, bold=True)
    s.text(0, 16, 90, 5, "V ........................................ dne ....................", size=9)
    s.line(W - 75, 32, 75, width=0.3, color="#000000")
    s.text(W - 75, 33, 75, 9, "podpis a razítko zaměstnavatele\n[Nazev]", size=8, align="center")
    bands.append(s)
    bands.append(page_footer(W, "Návrh na zařazení prací do kategorií"))
    return report("Návrh na zařazení prací do kategorií",
                  "Návrh zaměstnavatele na zařazení prací kategorie 3 a 4 podle § 37 odst. 3 zákona "
                  "č. 258/2000 Sb.; údaje o zaměstnavateli a směnnosti se zadávají před tiskem.",
                  page(bands, "portrait", (20, 12, 12, 12)), dialog)


# --- Ochranná opatření: per assessment, the factors in category 2 or above and the measures.

def opatreni():
    W = 178.0
    bands = [page_header(W, "Ochranná opatření", "práce s faktory v kategorii 2 a vyšší")]
    g = Band("group-header", "Pracoviste", 8, condition="[UpLink]", keep_together="true", repeat="true")
    g.text(0, 1.5, W, 6, "[IF([UpLink] = 0, 'Práce mimo pracoviště', R_PATH([UpLink]))]", size=9.5, bold=True,
           valign="center", fill=GROUP_FILL, frame=frame_el("bottom", 0.4))
    bands.append(g)
    first = "Faktor1"
    d = Band("master-data", "Prace", 7, data_source="Kategorie_DataSet", keep_together="true", child=first,
             print_if=f"{OVERALL} >= 2")
    d.text(0, 1.5, W - 30, 5, "[Text]", size=9.5, bold=True, stretch=True)
    d.text(W - 30, 1.5, 30, 5, f"kategorie práce: [{OVERALL}]", size=8, align="right")
    bands.append(d)
    for i, (n, _, full, _) in enumerate(FACTORS):
        nxt = f"Faktor{i + 2}" if i + 1 < len(FACTORS) else "Opatreni"
        b = Band("child", f"Faktor{i + 1}", 4.5, child=nxt, print_if=f"{kat(n)} >= 2")
        b.text(6, 0, 120, 4.5, full, size=8.5)
        b.text(126, 0, 22, 4.5, f"kategorie [{kat(n)}]", size=8.5, bold=True,
               highlight=high_category(f"{kat(n)} >= 3"))
        bands.append(b)
    o = Band("child", "Opatreni", 8, stretch="true")
    o.text(6, 1, 40, 4.5, "Ochranná opatření:", size=8.5, bold=True)
    o.text(46, 1, W - 46, 4.5, "[IF(TRIM([Opatreni]) = '', 'nejsou uvedena', [Opatreni])]", size=8.5,
           stretch=True)
    bands.append(o)
    bands.append(page_footer(W, "Ochranná opatření"))
    return report("Ochranná opatření",
                  "U každé práce faktory v kategorii 2 a vyšší a ochranná opatření.",
                  page(bands, "portrait", (20, 12, 12, 12)))


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "Reports")
    os.makedirs(folder, exist_ok=True)
    for name, build in (("Kategorizace prací", kategorizace), ("Souhrn kategorií", souhrn),
                        ("Návrh na zařazení prací do kategorií", navrh), ("Ochranná opatření", opatreni)):
        with open(os.path.join(folder, name + ".frf"), "w", encoding="utf-8") as f:
            f.write(build())


if __name__ == "__main__":
    main()
