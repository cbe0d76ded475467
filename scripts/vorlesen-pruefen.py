#!/usr/bin/env python3
"""Listens on the AT-SPI bus as a screen reader does while xdotool drives the
trainer through a few questions, and prints every event from the trainer that
a screen reader could speak: focus, description and name changes, dialogs and
announcements. Run it through scripts/vorlesen-pruefen.sh, which provides the
X server and the buses.

Usage: vorlesen-pruefen.py PROGRAM VOKABELORDNER ABLAUF
ABLAUF has one letter per question: R answered right, F wrong, M wrong and
judged by a click on "Richtig?" instead of Enter, D wrong and then corrected
with a click on "Doch Richtig!", K wrong and then corrected with its key,
Alt+D.
"""
import os
import re
import subprocess
import sys
import threading
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

PROGRAMM, ORDNER, ABLAUF = sys.argv[1], sys.argv[2], sys.argv[3]
BEGINN = time.monotonic()
zuletzt_beschrieben = {"text": ""}  # the description of the last focused answer box
dialog = {"offen": False}  # a message box is the active window


def ausgabe(zeile):
    print(f"{time.monotonic() - BEGINN:6.2f}  {zeile}", flush=True)


def sicher(aufruf, ersatz=""):
    try:
        wert = aufruf()
        return ersatz if wert is None else wert
    except Exception:  # the object may be gone already
        return ersatz


def beschreibe_quelle(obj):
    text = (f"{sicher(obj.get_role_name)} "
            f"name={sicher(obj.get_name)!r} "
            f"description={sicher(obj.get_description)!r}")
    taste = sicher(lambda: obj.get_key_binding(0))  # a button's shortcut
    return text + f" key={taste!r}" if taste else text


def vom_trainer(ereignis):
    app = sicher(lambda: ereignis.source.get_application())
    return app and "olvani" in sicher(app.get_name).lower()


def bei_ereignis(ereignis):
    if not vom_trainer(ereignis):
        return
    art = ereignis.type
    if art.startswith("object:state-changed:focused") and not ereignis.detail1:
        return  # focus leaving; the arriving focus is reported on its own
    if art.startswith("object:state-changed:showing") and not ereignis.detail1:
        return
    quelle = beschreibe_quelle(ereignis.source)
    daten = ereignis.any_data
    text = f"{art:<48} {quelle}"
    if isinstance(daten, str) and daten:
        text += f" data={daten!r}"
    if art.startswith("object:announcement"):
        text += f" politeness={ereignis.detail1}"
    if art.startswith("object:state-changed:focused") or art.startswith("focus"):
        zuletzt_beschrieben["text"] = sicher(ereignis.source.get_description)
    if art.startswith("window:activate"):
        dialog["offen"] = sicher(ereignis.source.get_role_name) in ("dialog", "alert")
    ausgabe(text)


EREIGNISSE = [
    "object:state-changed:focused",
    "object:property-change:accessible-description",
    "object:property-change:accessible-name",
    "object:announcement",
    "object:state-changed:showing",
    "window:activate",
    "object:text-changed:insert",
]

# Answers for the sample folder: what to type for the question heard.
ANTWORTEN = {"Haus": "dorva", "Baum": "blek", "dorva": "Haus", "blek": "Baum"}


def xdo(*argumente):
    subprocess.run(["xdotool", *argumente], check=False)


def schritt(beschreibung, *argumente, warte=1.0):
    ausgabe(f"---- {beschreibung}")
    xdo(*argumente)
    time.sleep(warte)


def fahren(prozess, ablauf):
    time.sleep(3)
    schritt("Enter in the start window: load", "key", "Return")
    fenster = subprocess.run(["xdotool", "search", "--name", "Olvani Vokabeltrainer"],
                             capture_output=True, text=True).stdout.split()[-1:]

    def tastatur_ans_hauptfenster():
        # There is no window manager here to hand the keyboard back to the
        # window, as a click or the desktop would.
        if fenster:
            schritt("the main window gets the keyboard", "windowfocus", "--sync", fenster[0])

    def meldung_schliessen():
        if dialog["offen"]:
            schritt("Enter: close the message box", "key", "Return")
            tastatur_ans_hauptfenster()

    tastatur_ans_hauptfenster()
    for nummer, art in enumerate(ablauf, start=1):
        schritt(f"Enter: Abfragen ({nummer})", "key", "Return")
        meldung_schliessen()
        frage = zuletzt_beschrieben["text"]
        antwort = ANTWORTEN.get(frage, "?") if art == "R" else "falsch"
        ausgabe(f"---- heard: question {frage!r}, typing {antwort!r}")
        schritt("typing", "type", "--delay", "40", antwort, warte=0.5)
        if art == "M" and fenster:
            # "Richtig?" sits at 112,168 px, 97 x 33 px in the window.
            schritt("click: Richtig?", "mousemove", "--window", fenster[0], "160", "184",
                    "click", "1", warte=1.5)
            schritt("focus to Abfragen (Shift+Tab)", "key", "shift+Tab", warte=0.5)
        else:
            schritt("Enter: Richtig?", "key", "Return", warte=1.5)
        meldung_schliessen()
        if art == "D" and fenster:
            # "Doch Richtig!" sits at 216,168 px, 97 x 33 px in the window.
            schritt("click: Doch Richtig!", "mousemove", "--window", fenster[0], "264", "184",
                    "click", "1", warte=1.5)
            # The click took the focus; Enter there would press it again.
            schritt("focus to Abfragen (2 x Shift+Tab)", "key", "shift+Tab", "shift+Tab", warte=0.5)
        if art == "K":
            schritt("Alt+D: Doch Richtig!", "key", "alt+d", warte=1.5)
    prozess.terminate()
    GLib.idle_add(Atspi.event_quit)


def main():
    horcher = Atspi.EventListener.new(bei_ereignis)
    for art in EREIGNISSE:
        horcher.register(art)
    # With ORCA_PROTOKOLL set, Orca runs alongside and its debug log tells
    # what it would have spoken.
    protokoll = os.environ.get("ORCA_PROTOKOLL")
    orca = subprocess.Popen(["orca", "--replace", "--debug-file", protokoll],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) if protokoll else None
    if orca:
        time.sleep(4)
    prozess = subprocess.Popen([PROGRAMM], cwd=ORDNER)
    threading.Thread(target=fahren, args=(prozess, ABLAUF), daemon=True).start()
    Atspi.event_main()
    prozess.wait(timeout=10)
    if orca:
        time.sleep(1)
        orca.terminate()
        orca.wait(timeout=10)
        print("==== Orca speaks:")
        with open(protokoll, encoding="utf-8", errors="replace") as datei:
            inhalt = datei.read()
        # An utterance may span lines; it ends at the quote before the voice.
        for gesprochen in re.findall(r"SPEECH OUTPUT: '(.*?)' ?(?:\{|voice=)", inhalt, re.S):
            print("  " + repr(gesprochen))
        # An event Orca fails on says nothing; such failures are counted here.
        for fehler in sorted(set(re.findall(r"ERROR: Could not process (\S+)", inhalt))):
            print(f"==== Orca failed {inhalt.count('Could not process ' + fehler)} x on {fehler}")


if __name__ == "__main__":
    main()
