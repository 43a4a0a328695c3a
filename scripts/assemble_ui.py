#!/usr/bin/env python3
"""Puts the page fragments forms/_pages/<page>.xml into forms/mainwindow.ui,
between the markers <!-- page:<page> --> and <!-- /page:<page> --> inside
that page's top layout. Each fragment holds the <item> elements of the
page's top grid (its <property> elements for that grid may come first)."""
import os, re, sys
root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ui_path = os.path.join(root, 'forms', 'mainwindow.ui')
pages_dir = os.path.join(root, 'forms', '_pages')
ui = open(ui_path, encoding='utf-8').read()
for name in sorted(os.listdir(pages_dir)) if os.path.isdir(pages_dir) else []:
    if not name.endswith('.xml'):
        continue
    page = name[:-4]
    body = open(os.path.join(pages_dir, name), encoding='utf-8').read().rstrip('\n') + '\n'
    pat = re.compile(r'(<!-- page:%s -->\n)(.*?)(\s*<!-- /page:%s -->)' % (re.escape(page), re.escape(page)), re.S)
    if not pat.search(ui):
        sys.exit('no markers for page %s' % page)
    ui = pat.sub(lambda m: m.group(1) + body + m.group(3).lstrip('\n').rjust(len(m.group(3).lstrip('\n'))), ui, count=1)
tmp = ui_path + '.tmp'
open(tmp, 'w', encoding='utf-8').write(ui)
os.replace(tmp, ui_path)
