"""Outils communs des essais d'accessibilité : l'application vue par AT-SPI, comme
la voit un lecteur d'écran (Orca), et des touches frappées au clavier (XTest)."""

import os
import sys
import time

import pyatspi

# Rôles qu'un lecteur d'écran nomme : un contrôle de ces rôles sans nom est une faute.
RÔLES_NOMMÉS = {
    "push button", "toggle button", "check box", "radio button", "combo box", "spin button",
    "text", "password text", "table", "table cell", "table column header", "table row header",
    "list", "list item", "menu", "popup menu", "menu item", "menu bar", "page tab", "page tab list",
    "tool bar", "slider", "image", "tree", "tree item", "dialog", "frame",
}

TOUCHES = {
    "Entrée": 0xFF0D, "Tab": 0xFF09, "Échap": 0xFF1B, "Bas": 0xFF54, "Haut": 0xFF52,
    "Droite": 0xFF53, "Gauche": 0xFF51, "F9": 0xFFC6, "F10": 0xFFC7, "Début": 0xFF50, "Espace": 0x20,
}
# Codes de touche des modificateurs dans la table de clavier par défaut de Xvfb.
MODIFICATEURS = {"Ctrl": 37, "Maj": 50, "Alt": 64}

fautes = []


def faute(texte):
    fautes.append(texte)
    print("FAUTE :", texte)


def vérifier(condition, texte):
    if not condition:
        faute(texte)
    return condition


def finir():
    if fautes:
        print(f"{len(fautes)} faute(s)")
        sys.exit(1)
    print("aucune faute")
    sys.exit(0)


def attendre(condition, délai=20.0, quoi="la condition"):
    fin = time.time() + délai
    while time.time() < fin:
        try:
            r = condition()
        except Exception:  # l'arbre change pendant qu'on le lit
            r = None
        if r:
            return r
        time.sleep(0.2)
    faute(f"attendu en vain : {quoi}")
    finir()


def application():
    def trouver():
        bureau = pyatspi.Registry.getDesktop(0)
        for i in range(bureau.childCount):
            a = bureau.getChildAtIndex(i)
            if a is not None and a.name == "Evalo":
                return a
        return None
    return attendre(trouver, 30, "l'application Evalo sur le bus AT-SPI")


def fenêtre_active(app, titre_commence="", avec=None):
    """La fenêtre active dont le titre commence ainsi ; avec=(rôle, nom) : qui
    contient aussi ce contrôle."""
    def trouver():
        for i in range(app.childCount):
            w = app.getChildAtIndex(i)
            if w is None or not w.getState().contains(pyatspi.STATE_ACTIVE) or not w.name.startswith(titre_commence):
                continue
            if avec is None or premier(w, *avec) is not None:
                return w
        return None
    return attendre(trouver, 20, f"une fenêtre active « {titre_commence}… » {avec or ''}")


def touche(nom, *modificateurs, pause=0.5):
    """Une touche frappée au clavier, avec ses modificateurs (Ctrl, Maj, Alt)."""
    for m in modificateurs:
        pyatspi.Registry.generateKeyboardEvent(MODIFICATEURS[m], None, pyatspi.KEY_PRESS)
    code = TOUCHES.get(nom, ord(nom) if len(nom) == 1 else None)
    pyatspi.Registry.generateKeyboardEvent(code, None, pyatspi.KEY_SYM)
    for m in reversed(modificateurs):
        pyatspi.Registry.generateKeyboardEvent(MODIFICATEURS[m], None, pyatspi.KEY_RELEASE)
    time.sleep(pause)


def taper(texte):
    for c in texte:
        touche(c, pause=0.05)
    time.sleep(0.3)


def descendants(objet, profondeur=0, limite=4000):
    """Chaque objet sous objet (objet compris), une fois, jusqu'à limite objets."""
    pile, vus = [objet], []
    while pile and len(vus) < limite:
        o = pile.pop()
        if o is None:
            continue
        vus.append(o)
        try:
            pile.extend(reversed([o.getChildAtIndex(i) for i in range(o.childCount)]))
        except Exception:
            pass
    return vus


def sans_nom(fenêtre):
    """Les objets que le lecteur d'écran annoncerait sans nom : rôle, chemin."""
    fautifs = []
    for o in descendants(fenêtre):
        try:
            rôle, nom = o.getRoleName(), o.name
        except Exception:
            continue
        if rôle in RÔLES_NOMMÉS and not nom.strip():
            parent = o.parent
            fautifs.append(f"{rôle} sans nom (dans {parent.getRoleName() if parent else '?'} « {parent.name if parent else ''} »)")
    return fautifs


def premier(fenêtre, rôle, nom_commence=""):
    for o in descendants(fenêtre):
        try:
            if o.getRoleName() == rôle and o.name.startswith(nom_commence):
                return o
        except Exception:
            continue
    return None
