#!/usr/bin/python3
"""Writes seed inputs for template_fuzz: the documented example, the golden-test templates and a
few small templates with unknown parts, odd values and scripts."""
import glob
import os
import shutil
import sys

out = sys.argv[1]
root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
os.makedirs(out, exist_ok=True)
for path in [os.path.join(root, "tests/reportengine/model/example-template.frf")] + sorted(
        glob.glob(os.path.join(root, "tests/reportengine/layout/golden/*.frf"))):
    shutil.copy(path, os.path.join(out, os.path.basename(path)))

small = {
    "unknown.frf": '<report version="9" x="1"><page name="P" y="2"><band kind="child" z="3">'
                   '<text name="T"><content>a</content><glow r="1"><b/>t</glow></text><future/></band>'
                   '</page><extra a="b">text</extra></report>',
    "dialog.frf": '<report version="1"><dialog name="D" width="10" height="10"><control kind="combo-box" '
                  'name="C" x="-1" y="2" width="3" height="4"><item>a</item><item/><font size="7"/>'
                  '<script>x</script></control></dialog></report>',
    "values.frf": '<report version="1"><page paper="custom" width="10.5" height="1e3" orientation="landscape">'
                  '<band kind="master-data" height="0.001" columns="3"><shape shape="triangle" fill="#80ff0000"'
                  ' width="1" height="1"><frame sides="left bottom" style="dash-dot"/></shape>'
                  '<barcode type="qr" angle="270"><content>[x]</content></barcode>'
                  '<picture><data>AAEC</data></picture></band></page></report>',
    "text.frf": '<report version="1"><page><band kind="group-header" condition="[a]">'
                '<text rotation="90" h-align="justify" format="N2,2"><content> \n&#13; x&amp;y </content>'
                '<highlight condition="1"><font bold="true"/></highlight></text></band></page></report>',
}
for name, text in small.items():
    with open(os.path.join(out, name), "w", encoding="utf-8") as f:
        f.write(text)
