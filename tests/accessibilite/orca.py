"""Le programme entendu par un vrai lecteur d'écran : Orca tourne dans la session, on ne
frappe qu'au clavier, et l'on vérifie ce qu'Orca DIT (son journal note chaque phrase
envoyée à speech-dispatcher, dont le module écrit la parole dans un fichier) :
la case courante à l'arrivée sur la feuille et au retour d'un menu, la note tapée
dite après Entrée, l'annulation dite avec la case qu'elle change, une valeur de la
fenêtre d'importation, la compétence et la date de la fenêtre d'interrogation."""

import os
import re

from commun import *

JOURNAL = os.environ["JOURNAL_ORCA"]
PAROLE = os.environ["PAROLE"]
DITE = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*\{", re.S)
transcription = []


def paroles():
    """Tout ce qu'Orca a dit depuis son démarrage, phrase par phrase."""
    with open(JOURNAL, encoding="utf-8", errors="replace") as f:
        return [" ".join(m.group(1).split()) for m in DITE.finditer(f.read())]


class Écoute:
    """Ce qu'Orca dit à partir de maintenant."""

    def __init__(self, quoi):
        self.quoi = quoi
        self.début = len(paroles())

    def dites(self):
        return paroles()[self.début:]

    def attendre(self, attendu, délai=25.0):
        """Attend qu'une phrase dite contienne attendu (texte), dans l'ordre des textes
        donnés quand attendu est une liste ; faute sinon, avec ce qui a été dit."""
        attendus = attendu if isinstance(attendu, list) else [attendu]
        fin = time.time() + délai
        while time.time() < fin:
            dites = self.dites()
            reste = list(attendus)
            for phrase in dites:
                if reste and (reste[0].search(phrase) if isinstance(reste[0], re.Pattern) else reste[0] in phrase):
                    reste.pop(0)
            if not reste:
                transcription.append((self.quoi, dites))
                return True
            time.sleep(0.3)
        faute(f"{self.quoi} : Orca n'a pas dit {reste!r} ; il a dit {self.dites()!r}")
        return False


def case_courante(grille):
    """Le nom AT-SPI de la case qui a le focus dans la grille."""
    def trouver():
        for o in descendants(grille):
            if o.getRoleName() == "table cell" and o.getState().contains(pyatspi.STATE_FOCUSED):
                return o.name
        return None
    return attendre(trouver, 10, "une case courante dans la grille")


def liste_étiquetée(fenêtre, légende):
    """La liste déroulante que sa légende (relation « étiquetée par ») nomme ainsi."""
    for o in descendants(fenêtre):
        if o.getRoleName() != "combo box":
            continue
        for relation in o.getRelationSet():
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY and \
                    relation.getTarget(0).name.replace("&", "").startswith(légende):
                return o
    return None


def tabuler_jusquà(écoute, texte, fois=10):
    """Tab jusqu'à ce qu'Orca dise texte (déjà dit : aucune touche) ; après chaque Tab,
    on laisse à Orca le temps de parler avant d'en frapper un autre."""
    for _ in range(fois + 1):
        fin = time.time() + 2.5
        while time.time() < fin:
            if any(texte in p for p in écoute.dites()):
                return
            time.sleep(0.2)
        touche("Tab", pause=0.3)


app = application()
fenêtre_active(app)
touche("Entrée")
fenêtre_active(app, "Evalo", avec=("push button", "Ajouter une classe"))

# 1. L'arrivée sur la feuille : la case courante est dite, pas seulement « tableau ».
écoute = Écoute("arrivée sur la feuille")
touche("Entrée")
feuille = fenêtre_active(app, "Programme de cotation")
grille = attendre(lambda: premier(feuille, "table"), quoi="la grille")
attendre(lambda: grille.getState().contains(pyatspi.STATE_FOCUSED), quoi="le focus dans la grille")
écoute.attendre(["tableau", case_courante(grille)])

# 2. Au retour d'un menu (F10 puis Échap deux fois), la case courante est redite.
touche("F10")
écoute = Écoute("retour d'un menu")
touche("Échap")
touche("Échap")
écoute.attendre(case_courante(grille))

# 3. Une note tapée puis Entrée : la valeur enregistrée est dite, puis la case suivante.
touche("Bas")
touche("Droite")
tapée = case_courante(grille)
écoute = Écoute("note tapée")
taper("15")
touche("Entrée", pause=1.5)
élève = tapée.split(",")[0]
cases = grille.queryTable()
enregistrée = next(cases.getAccessibleAt(r, c).name for r in range(cases.nRows) for c in range(cases.nColumns)
                   if cases.getAccessibleAt(r, c).name.startswith(tapée.split(":")[0] + ":"))
vérifier("15.0" in enregistrée, f"la case gardée dit {enregistrée!r}")
écoute.attendre([f"Enregistré : {enregistrée}", case_courante(grille)])

# 4. Ctrl+Z : l'annulation est dite dans les mots de l'historique, et la case changée
# redevient la case courante, dite avec sa valeur rendue.
écoute = Écoute("annulation")
touche("z", "Ctrl", pause=1.5)
rendue = case_courante(grille)
vérifier(rendue.startswith(tapée.split(":")[0]) and rendue != enregistrée, f"après Ctrl+Z, la case courante dit {rendue!r}")
écoute.attendre([f"Annulé : note de {élève}", rendue])

# 5. La fenêtre d'importation : la valeur devinée d'une liste déroulante est dite.
liste = os.path.join(os.environ["HOME"], "liste.csv")
with open(liste, "w", encoding="utf-8") as f:
    f.write("Nom;Prénom;Classe\nKowalski;Lukasz;3D\nAubry;Lou;3D\n")
touche("f", "Alt")
touche("l")
fenêtre_active(app, "Choisir la liste")
taper(liste)
écoute = Écoute("fenêtre d'importation")
touche("Entrée", pause=2)
importation = fenêtre_active(app, "", avec=("table", "Aperçu du fichier"))
encodage = attendre(lambda: liste_étiquetée(importation, "Encodage"), quoi="la liste Encodage")
vérifier(encodage.name.strip(), "la liste « Encodage » n'a pas de valeur")
tabuler_jusquà(écoute, "Encodage")
écoute.attendre(["Encodage", encodage.name])
touche("Échap", pause=1.5)
fenêtre_active(app, "Programme de cotation")

# 6. La fenêtre d'interrogation (Éditer, Corriger une interrogation) : la compétence
# choisie, puis changée aux flèches, et la date choisie au calendrier sont dites.
touche("e", "Alt")
touche("o", pause=2)
interro = fenêtre_active(app, "Interrogation écrite")
choix = attendre(lambda: next((o for o in descendants(interro) if o.getRoleName() == "combo box"), None),
                 quoi="la liste des compétences")
écoute = Écoute("compétence de l'interrogation")
tabuler_jusquà(écoute, "Compétence utilisée")
écoute.attendre(["Compétence utilisée", choix.name])
# Le pont AT-SPI de Qt renvoie une touche deux fois quand le bus tarde (Orca écrit
# tout son journal) : on revient sur la liste si un Tab de trop l'a quittée.
for _ in range(4):
    if choix.getState().contains(pyatspi.STATE_FOCUSED):
        break
    touche("Tab", "Maj", pause=1)
écoute = Écoute("compétence changée aux flèches")
avant = choix.name
touche("Bas", pause=1.5)
vérifier(choix.name != avant, f"Bas n'a pas changé la compétence ({avant})")
écoute.attendre(choix.name)
écoute = Écoute("date au calendrier")
touche("d", "Alt", pause=1)
touche("Droite", pause=1)
# La date choisie, dite en entier (« jeudi 10 décembre 2026 ») : le jour après
# aujourd'hui, ou un autre si la touche a été rendue deux fois par un bus chargé.
jours = "lundi|mardi|mercredi|jeudi|vendredi|samedi|dimanche"
mois = "janvier|février|mars|avril|mai|juin|juillet|août|septembre|octobre|novembre|décembre"
écoute.attendre(["Date de l'interrogation", re.compile(rf"\b({jours}) \d{{1,2}} ({mois}) \d{{4}}\b")])

# La parole a bien quitté Orca : speech-dispatcher l'a écrite.
with open(PAROLE, encoding="utf-8", errors="replace") as f:
    vérifier(len(f.read().strip()) > 0, "speech-dispatcher n'a rien reçu d'Orca")

print("--- ce qu'Orca a dit ---")
for quoi, dites in transcription:
    print(f"[{quoi}]")
    for phrase in dites:
        if phrase.strip():
            print("   ", phrase)
finir()
