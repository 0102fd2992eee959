#!/usr/bin/env python3
"""Runs the calendar scenario, which has the program write its deadlines
through the window, reads the file with the icalendar package and checks its
events, dates, alarms and Japanese text.

    check_icalendar.py [EMULATOR] SCENARIO-RUNNER CALENDAR.scn

EMULATOR runs a runner built for another system (wine-run for Windows).

Exit status 77 (skipped) when the icalendar package is missing; Debian:
python3-icalendar, which ./setup.sh test installs.
"""
import datetime
import os
import subprocess
import sys
import tempfile

try:
    import icalendar
except ImportError:
    print("SKIP: the Python icalendar package is missing (Debian: python3-icalendar)")
    sys.exit(77)

failures = []


def check(what, actual, expected):
    if actual != expected:
        failures.append(f"{what}: {actual!r}, expected {expected!r}")


with tempfile.TemporaryDirectory() as work:
    subprocess.run(sys.argv[1:-1] + ["--keep", work, sys.argv[-1]], check=True)
    with open(os.path.join(work, "締切.ics"), "rb") as f:
        raw = f.read()

check("every line ends in CR LF", raw.count(b"\n"), raw.count(b"\r\n"))
check("longest line in octets <= 75", max(len(l) for l in raw.split(b"\r\n")) <= 75, True)

calendar = icalendar.Calendar.from_ical(raw)
check("version", str(calendar["VERSION"]), "2.0")
check("product", str(calendar["PRODID"]), "-//kirabilog//kirabilog 1.0//JA")
events = calendar.walk("VEVENT")
check("events", len(events), 2)

expected = [
    ("締切：図書カード1000円分（ネット懸賞ひろば）", datetime.date(2024, 12, 31),
     datetime.date(2025, 1, 1), "https://example.jp/c/1"),
    ("締切：有名店のスイーツ詰め合わせ, 箱根温泉ペア宿泊券; 液晶テレビ32型（スーパー店頭）",
     datetime.date(2025, 1, 15), datetime.date(2025, 1, 16), None),
]
uids = set()
for event, (summary, start, end, url) in zip(events, expected):
    check("summary", str(event["SUMMARY"]), summary)
    check("start", event.decoded("DTSTART"), start)
    check("start is a date", type(event.decoded("DTSTART")), datetime.date)
    check("end", event.decoded("DTEND"), end)
    check("url", str(event["URL"]) if "URL" in event else None, url)
    check("description", str(event["DESCRIPTION"]), "応募方法：はがき, 官製\n応募形式：アンケート")
    stamp = event.decoded("DTSTAMP")
    check("stamp in UTC", stamp.utcoffset(), datetime.timedelta(0))
    check("stamp is the time of writing",
          abs(datetime.datetime.now(datetime.timezone.utc) - stamp) < datetime.timedelta(minutes=5),
          True)
    uids.add(str(event["UID"]))
    alarms = event.walk("VALARM")
    check("alarms", len(alarms), 1)
    for alarm in alarms:
        check("alarm action", str(alarm["ACTION"]), "DISPLAY")
        check("alarm trigger", alarm.decoded("TRIGGER"), -datetime.timedelta(days=1))
        check("alarm text", str(alarm["DESCRIPTION"]), summary)
check("distinct UIDs", len(uids), 2)

for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
