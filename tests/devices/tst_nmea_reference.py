#!/usr/bin/env python3
# Reference reading of NMEA sentences with pynmea2 (Debian's python3-nmea2):
# one JSON object per input line, holding the label texts the GPS page shows
# for that sentence and, for RMC, the signed position. The fix state comes
# from the last GGA sentence, as on the page.
import json
import sys

import pynmea2

fix = "Null"


def g(value):
    return "%g" % float(value)


for raw in sys.stdin:
    raw = raw.strip()
    if not raw:
        continue
    msg = pynmea2.parse(raw, check=True)
    out = {}
    kind = msg.sentence_type
    if kind == "RMC":
        t = msg.timestamp
        out["Utc"] = "%d:%d:%d" % (t.hour, t.minute, t.second)
        if msg.lat_dir in ("N", "S"):
            out["LatHemisphere"] = msg.lat_dir
        if msg.lon_dir in ("E", "W"):
            out["LonHemisphere"] = msg.lon_dir
        if fix == "Yes":
            out["Latitude"] = "%.7f" % abs(msg.latitude)
            out["Longitude"] = "%.7f" % abs(msg.longitude)
            out["position"] = [msg.latitude, msg.longitude]
    elif kind == "GGA":
        fix = "Yes" if 1 <= int(msg.gps_qual) <= 5 else "No"
        out["FixState"] = fix
        out["SatellitesUsed"] = g(msg.num_sats)
        out["Altitude"] = g(msg.altitude) + " m"
    elif kind == "GSA":
        out["Pdop"] = g(msg.pdop)
        out["Hdop"] = g(msg.hdop)
        out["Vdop"] = g(msg.vdop)
    elif kind == "GSV":
        if msg.talker == "GP":
            out["GpsInView"] = g(msg.num_sv_in_view)
        elif msg.talker in ("BD", "GB"):
            out["BeidouInView"] = g(msg.num_sv_in_view)
    elif kind == "VTG":
        out["Speed"] = g(msg.spd_over_grnd_kmph) + " km/h"
    print(json.dumps(out, sort_keys=True))
