#!/usr/bin/env python3
"""Writes the converter's form (tools/convert/kalvest_convert.ui), its
Chinese catalogue source (resources/translations/transSimpleChinese/convert.ts)
and the currency names' catalogue sources (currency.ts) from the entries in
tools/convert/unittables.cpp and currencyrates.cpp, so they all agree.
Run from the repository root after changing a unit entry."""
import os
import re
import sys
from xml.sax.saxutils import escape

sys.path.insert(0, os.path.dirname(__file__))
from zh_names import CURRENCY_ZH, ZH  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))


def read_tables():
    src = open(os.path.join(ROOT, "tools/convert/unittables.cpp"), encoding="utf-8").read()
    tables = {}
    current = None
    for line in src.splitlines():
        m = re.search(r'add\(Category::(\w+), "([^"]*)", "([^"]*)"', line)
        if m:
            current = m.group(3)
            tables[current] = (m.group(2), [])
            continue
        m = re.match(r'\s*(?:U|F|B|Litres)\("([^"]*)"', line)
        if m and current:
            text = m.group(1).encode("ascii").decode("unicode_escape")
            tables[current][1].append(text)
    return tables


# (key, group box, outer grid, inner grid, "To" label, place, caption)
GROUPS = [
    ("exchangerates", "groupBox_10", "gridLayout_22", "gridLayout_23", "label_11", ("v", 1), "Exchangerates"),
    ("lengths", "groupBox", "gridLayout_3", "gridLayout", "label", ("v", 2), "Lengths"),
    ("mass", "groupBox_mass", "gridLayout_11", "gridLayout_12", "label_6", ("v", 3), "Mass"),
    ("area", "groupBox_2", "gridLayout_4", "gridLayout_2", "label_2", ("v", 4), "Area"),
    ("volume", "groupBox_3", "gridLayout_5", "gridLayout_6", "label_3", ("v", 5), "Volume"),
    ("force", "groupBox_6", "gridLayout_13", "gridLayout_14", "label_7", ("v", 6), "Force"),
    ("torque", "groupBox_7", "gridLayout_15", "gridLayout_16", "label_8", ("v", 7), "Torque"),
    ("time", "groupBox_4", "gridLayout_7", "gridLayout_8", "label_4", ("v", 8), "Time"),
    ("speed", "groupBox_5", "gridLayout_9", "gridLayout_10", "label_5", ("v", 9), "Speed"),
    ("temperature", "groupBox_8", "gridLayout_17", "gridLayout_18", "label_9", ("v", 10), "Temperature"),
    ("pressure", "groupBox_9", "gridLayout_19", "gridLayout_20", "label_10", ("v", 11), "Pressure"),
    ("energy", "groupBox_11", "gridLayout_21", "gridLayout_25", "label_12", ("v", 12), "Energy"),
    ("angle", "groupBox_20", "gridLayout_42", "gridLayout_43", "label_21", ("g", 9), "Angle"),
    ("magnetic", "groupBox_19", "gridLayout_40", "gridLayout_41", "label_20", ("g", 8), "Magnetic"),
    ("conductance", "groupBox_15", "gridLayout_32", "gridLayout_33", "label_16", ("g", 4), "Conductance"),
    ("resistance", "groupBox_14", "gridLayout_30", "gridLayout_31", "label_15", ("g", 3), "Resistance"),
    ("power", "groupBox_12", "gridLayout_26", "gridLayout_27", "label_13", ("g", 1), "Power"),
    ("capacitance", "groupBox_13", "gridLayout_28", "gridLayout_29", "label_14", ("g", 2), "Capacitance"),
    ("current", "groupBox_17", "gridLayout_36", "gridLayout_37", "label_18", ("g", 6), "Current"),
    ("charge", "groupBox_18", "gridLayout_38", "gridLayout_39", "label_19", ("g", 7), "Charge"),
    ("inductance", "groupBox_16", "gridLayout_34", "gridLayout_35", "label_17", ("g", 5), "Inductance"),
    ("datastorage", "groupBox_21", "gridLayout_44", "gridLayout_45", "label_22", ("g", 10), "DataStorage"),
]

# Per-group layout deviations: header cell, control cell, header first, control order.
DEFAULT_ORDER = ["to", "source", "from", "label", "button", "tolist"]
DEVIATIONS = {
    "lengths": dict(header=(1, 0, 1, 2), control=(4, 0, 1, 2), header_first=True),
    "mass": dict(header=(0, 0, 1, 1), control=(1, 0, 1, 1),
                 order=["from", "label", "button", "source", "to", "tolist"]),
    "force": dict(control=(2, 0, 1, 2), header_first=True),
    "time": dict(control=(2, 0, 1, 2), header_first=True),
    "speed": dict(header_first=True),
}


def string(text):
    return "<string>%s</string>" % escape(text) if text else "<string/>"


def combo(name, items, ind):
    out = [ind + '<widget class="QComboBox" name="%s">' % name]
    for it in items:
        out.append(ind + ' <item><property name="text">%s</property></item>' % string(it))
    out.append(ind + "</widget>")
    return out


def group_xml(g, tables, ind):
    key, box, outer, inner, tolabel, place, caption = g
    dev = DEVIATIONS.get(key, {})
    hr, hc, hrs, hcs = dev.get("header", (0, 0, 1, 2))
    cr, cc, crs, ccs = dev.get("control", (3, 0, 1, 2))
    order = dev.get("order", DEFAULT_ORDER)
    items = tables[key][1] if key in tables else []
    cells = {
        "to": (0, 2, ['<widget class="QLineEdit" name="%s_inputEdit_to"/>' % key]),
        "source": (0, 0, ['<widget class="QLineEdit" name="%s_inputEdit_source"/>' % key]),
        "from": (1, 0, combo("%s_fromUnitCombox" % key, items, "")),
        "label": (0, 1, ['<widget class="QLabel" name="%s">' % tolabel,
                         ' <property name="text">%s</property>' % string("To"),
                         ' <property name="alignment"><set>Qt::AlignHCenter|Qt::AlignVCenter</set></property>',
                         "</widget>"]),
        "button": (1, 1, ['<widget class="QPushButton" name="%s_interchangeable_pushButton">' % key,
                          ' <property name="text"><string/></property>',
                          ' <property name="icon"><iconset><normaloff>:/property_icons/convert.svg</normaloff>'
                          ':/property_icons/convert.svg</iconset></property>',
                          "</widget>"]),
        "tolist": (1, 2, combo("%s_toUnitCombox" % key, items, "")),
    }
    control = [ind + '  <item row="%d" column="%d" rowspan="%d" colspan="%d">' % (cr, cc, crs, ccs),
               ind + '   <layout class="QGridLayout" name="%s">' % inner]
    for c in order:
        r, col, xml = cells[c]
        control.append(ind + '    <item row="%d" column="%d">' % (r, col))
        control.extend(ind + "     " + x for x in xml)
        control.append(ind + "    </item>")
    control += [ind + "   </layout>", ind + "  </item>"]
    header = [ind + '  <item row="%d" column="%d" rowspan="%d" colspan="%d">' % (hr, hc, hrs, hcs),
              ind + '   <layout class="QHBoxLayout" name="horizontalLayout_%s">' % key,
              ind + '    <property name="leftMargin"><number>0</number></property>',
              ind + '    <item><widget class="QLabel" name="label_svg_%s">' % key,
              ind + '     <property name="font"><font><pointsize>20</pointsize></font></property>',
              ind + '     <property name="text"><string/></property>',
              ind + '     <property name="pixmap"><pixmap>:/property_icons/length.svg</pixmap></property>',
              ind + "    </widget></item>",
              ind + '    <item><widget class="QLabel" name="label_text_%s">' % key,
              ind + '     <property name="font"><font><family>Arvo</family><pointsize>20</pointsize></font></property>',
              ind + '     <property name="text">%s</property>' % string(caption),
              ind + '     <property name="alignment"><set>Qt::AlignHCenter|Qt::AlignVCenter</set></property>',
              ind + "    </widget></item>",
              ind + "   </layout>", ind + "  </item>"]
    out = [ind + '<widget class="QGroupBox" name="%s">' % box,
           ind + ' <property name="title"><string/></property>',
           ind + ' <layout class="QGridLayout" name="%s">' % outer]
    out += (header + control) if dev.get("header_first") else (control + header)
    out += [ind + " </layout>", ind + "</widget>"]
    return out


def write_ui(tables):
    L = ['<?xml version="1.0" encoding="UTF-8"?>',
         '<ui version="4.0">',
         " <class>kalvest_convert</class>",
         ' <widget class="QWidget" name="kalvest_convert">',
         '  <property name="geometry"><rect><x>0</x><y>0</y><width>738</width><height>670</height></rect></property>',
         '  <property name="sizePolicy"><sizepolicy hsizetype="Minimum" vsizetype="Preferred">'
         "<horstretch>0</horstretch><verstretch>0</verstretch></sizepolicy></property>",
         '  <property name="windowTitle"><string>kalvest_convert</string></property>',
         '  <layout class="QGridLayout" name="gridLayout_46">',
         '   <item row="0" column="0">',
         '    <widget class="QScrollArea" name="scrollArea">',
         '     <property name="sizePolicy"><sizepolicy hsizetype="Minimum" vsizetype="Expanding">'
         "<horstretch>0</horstretch><verstretch>0</verstretch></sizepolicy></property>",
         '     <property name="widgetResizable"><bool>true</bool></property>',
         '     <widget class="QWidget" name="scrollAreaWidgetContents">',
         '      <property name="geometry"><rect><x>0</x><y>0</y><width>701</width><height>2654</height></rect></property>',
         '      <layout class="QGridLayout" name="gridLayout_24">',
         '       <item row="0" column="0">',
         '        <layout class="QVBoxLayout" name="verticalLayout">']
    for g in GROUPS:
        if g[5][0] == "v":
            L.append("         <item>")
            L += group_xml(g, tables, "          ")
            L.append("         </item>")
    L += ["        </layout>", "       </item>"]
    for g in GROUPS:
        if g[5][0] == "g":
            L.append('       <item row="%d" column="0">' % g[5][1])
            L += group_xml(g, tables, "        ")
            L.append("       </item>")
    L += ["      </layout>", "     </widget>", "    </widget>", "   </item>", "  </layout>", " </widget>",
          " <resources/>", " <connections/>", "</ui>", ""]
    with open(os.path.join(ROOT, "tools/convert/kalvest_convert.ui"), "w", encoding="utf-8") as f:
        f.write("\n".join(L))


def write_ts(tables):
    seen = []

    def add(src, tr):
        if src not in [s for s, _ in seen]:
            seen.append((src, tr))

    add("kalvest_convert", None)
    add("To", None)
    for g in GROUPS:
        add(g[6], None)
    for g in GROUPS:
        for it in tables.get(g[0], (None, []))[1]:
            if "(" in it:
                sym = it[: it.index("(")]
                add(it, "%s(%s)" % (sym, ZH[it]))
            else:
                add(it, None)
    L = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>", '<TS version="2.1" language="zh_CN">',
         "<context>", "    <name>kalvest_convert</name>"]
    for src, tr in seen:
        L += ["    <message>", "        <source>%s</source>" % escape(src)]
        if tr is None:
            L.append('        <translation type="unfinished"></translation>')
        else:
            L.append("        <translation>%s</translation>" % escape(tr))
        L.append("    </message>")
    L += ["</context>", "</TS>", ""]
    with open(os.path.join(ROOT, "resources/translations/transSimpleChinese/convert.ts"), "w", encoding="utf-8") as f:
        f.write("\n".join(L))
    return len(seen)


def write_currency_ts():
    src = open(os.path.join(ROOT, "tools/convert/currencyrates.cpp"), encoding="utf-8").read()
    items = [m.encode("ascii").decode("unicode_escape")
             for m in re.findall(r'\{"([^"]*\([^"]*\))", "[A-Z]{3}"', src)]
    assert len(items) == 31, len(items)
    L = ['<?xml version="1.0" encoding="utf-8"?>', "<!DOCTYPE TS>", '<TS version="2.1" language="zh_CN">',
         "<context>", "    <name>QObject</name>"]
    for it in items:
        L += ["    <message>", "        <source>%s</source>" % escape(it),
              "        <translation>%s(%s)</translation>" % (it[:3], CURRENCY_ZH[it[:3]]), "    </message>"]
    L += ["</context>", "</TS>", ""]
    for folder in ("transSimpleChinese", "i18n_zh_CN"):
        with open(os.path.join(ROOT, "resources/translations", folder, "currency.ts"), "w", encoding="utf-8") as f:
            f.write("\n".join(L))


if __name__ == "__main__":
    t = read_tables()
    assert len(t) == 21, len(t)
    write_ui(t)
    n = write_ts(t)
    write_currency_ts()
    print("units:", sum(len(v[1]) for v in t.values()), "catalogue texts:", n)
