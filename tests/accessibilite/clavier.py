"""Une séance au clavier seul, sans un seul événement de souris : ouvrir une classe,
s'y déplacer, taper trois notes, en annuler une, ouvrir la fiche d'un élève,
l'imprimer en PDF, quitter. Ce que la grille dit, et les fichiers, le prouvent."""

import glob
import os
import subprocess

from gi.repository import GLib

from commun import *

annonces = []


def noter(évènement):
    try:
        if évènement.source.getRoleName() == "table cell":
            annonces.append(évènement.source.name)
    except Exception:
        pass


def laisser_passer(secondes):
    """Laisse arriver les évènements AT-SPI (annonces du programme) un moment."""
    fin = time.time() + secondes
    contexte = GLib.MainContext.default()
    while time.time() < fin:
        contexte.iteration(False)
        time.sleep(0.02)


app = application()
fenêtre_active(app)
touche("Entrée")
fenêtre_active(app, "Evalo", avec=("push button", "Ajouter une classe"))
touche("Entrée")
feuille = fenêtre_active(app, "Programme de cotation")
grille = attendre(lambda: premier(feuille, "table"), quoi="la grille")
# La feuille s'ouvre avec le focus dans la grille : les touches vont là.
attendre(lambda: grille.getState().contains(pyatspi.STATE_FOCUSED), quoi="le focus dans la grille")
table = grille.queryTable()


def case(ligne, colonne):
    return table.getAccessibleAt(ligne, colonne).name


# Les menus au clavier : Alt+F et F10 ouvrent « Fichier », Échap le referme.
def fichier_ouvert():
    return any(o.getRoleName() == "popup menu" and o.name == "Fichier" and o.getState().contains(pyatspi.STATE_SHOWING)
               for o in descendants(app))


def bientôt(condition, secondes=4):
    fin = time.time() + secondes
    while time.time() < fin:
        if condition():
            return True
        time.sleep(0.2)
    return False


for raccourci in (("f", "Alt"), ("F10",)):
    touche(*raccourci, pause=0.3)
    vérifier(bientôt(fichier_ouvert), f"{'+'.join(reversed(raccourci))} n'ouvre pas le menu Fichier")
    touche("Échap", pause=0.5)
    touche("Échap", pause=0.5)
vérifier(bientôt(lambda: not fichier_ouvert()), "Échap ne referme pas le menu")

# La grille s'ouvre sur le premier élève ; une flèche à droite : le premier test.
touche("Droite")
avant = [case(l, 2) for l in (3, 4, 5)]
# Comme un lecteur d'écran, on écoute les annonces, et on les lit au fur et à mesure :
# des évènements laissés en attente retardent les touches que le pont AT-SPI de Qt
# fait d'abord passer par le bus.
pyatspi.Registry.registerEventListener(noter, "object:property-change:accessible-name")
for note in ("15", "7", "12"):
    taper(note)
    touche("Entrée", pause=0)  # enregistre et descend à l'élève suivant
    laisser_passer(0.8)
pyatspi.Registry.deregisterEventListener(noter, "object:property-change:accessible-name")
laisser_passer(0.5)
après = [case(l, 2) for l in (3, 4, 5)]
for nom, note in zip(après, ("15", "7", "12")):
    vérifier(f": {note}.0 sur 20" in nom, f"note tapée absente de la grille : {nom!r}")
vérifier(any(": 15.0 sur 20" in a for a in annonces), f"la note changée n'est pas annoncée ({annonces[:5]})")
vérifier(", sous la moitié" in après[1], f"7 sur 20 ne se dit pas sous la moitié : {après[1]!r}")

touche("z", "Ctrl", pause=1.5)  # annule la dernière note : 12 redevient ce qu'elle était
vérifier(case(5, 2) == avant[2], f"Ctrl+Z n'a pas rendu la note : {case(5, 2)!r} au lieu de {avant[2]!r}")
vérifier(": 7.0 sur 20" in case(4, 2), "Ctrl+Z a défait plus qu'une note")

# La fiche du deuxième élève, imprimée ; l'imprimante « PDF » écrit dans le dossier personnel.
touche("Haut")
touche("Haut")
touche("f", "Ctrl", pause=1.5)
fiche = fenêtre_active(app, "Fiche individuelle")
élève = fiche.name.replace("Fiche individuelle de ", "").split(" (")[0]
touche("i", "Alt", pause=3)
fenêtre_active(app, "Fiche individuelle")
touche("Échap", pause=1)
fenêtre_active(app, "Programme de cotation")

# Les notes gardées sur le disque : 15 et 7, et la troisième rendue (12 annulée).
lignes = []
for chemin in glob.glob(os.path.join(os.environ["HOME"], "**", "*.P3N"), recursive=True):
    # la classe elle-même : ni sa copie du disque amovible, ni ses ancêtres ou son historique
    if not any(autre in chemin for autre in ("Disque amovible", "ancetres", "historique")):
        lignes += open(chemin, encoding="cp1252").read().splitlines()
élèves = [a.split(",")[0] for a in après]
gardées = {l.split("/")[0]: l.split("/")[1] for l in lignes if l.split("/")[0] in élèves}
ancienne = avant[2].split(" : ")[1].split(" sur ")[0]
vérifier(gardées == {élèves[0]: "15", élèves[1]: "7", élèves[2]: ancienne.rstrip("0").rstrip(".") if "." in ancienne else ancienne},
         f"notes gardées sur le disque : {gardées}")

# Quitter : les questions de la sortie se répondent par Entrée (le bouton par défaut).
touche("q", "Ctrl", pause=1.5)
pid = int(os.environ["EVALO_PID"])
for _ in range(10):
    if not os.path.exists(f"/proc/{pid}") or open(f"/proc/{pid}/stat").read().split()[2] == "Z":
        break
    touche("Entrée", pause=1.5)
vérifier(not os.path.exists(f"/proc/{pid}") or open(f"/proc/{pid}/stat").read().split()[2] == "Z",
         "le programme ne s'est pas fermé au clavier")

maison = os.environ["HOME"]
pdfs = glob.glob(os.path.join(maison, "Exportation Evalo", "*.pdf"))
if vérifier(len(pdfs) == 1, f"un PDF attendu, trouvés : {pdfs}"):
    texte = subprocess.run(["pdftotext", pdfs[0], "-"], capture_output=True, text=True).stdout
    vérifier(élève in texte, f"la fiche imprimée ne nomme pas {élève}")

finir()
