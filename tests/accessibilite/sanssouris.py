"""Les impasses du clavier : tout se fait sans souris, et Tab sort de chaque tableau.
Une classe créée avec ses coefficients, ouverte depuis la liste ; un onglet de classe
ouvert aux flèches ; Tab quitte le tableau de l'historique et l'aperçu de
l'importation jusqu'à leurs boutons."""

import os

from commun import *


def focalisé(fenêtre, rôle, nom_commence=""):
    """L'objet de ce rôle qui a le focus (les cases de tableau exclues : Qt les dit
    « focalisées » dès qu'elles sont courantes, même sans le focus)."""
    for o in descendants(fenêtre):
        try:
            if o.getRoleName() == rôle and o.name.startswith(nom_commence) and o.getState().contains(pyatspi.STATE_FOCUSED):
                return o
        except Exception:
            continue
    return None


def tab_jusquà(fenêtre, rôle, nom_commence="", fois=30, arrière=False):
    """Tab (ou Maj+Tab) jusqu'au contrôle voulu ; rend le nombre de touches, ou None."""
    for n in range(fois + 1):
        if bientôt(lambda: focalisé(fenêtre, rôle, nom_commence), 0.6):
            return n
        touche("Tab", *(["Maj"] if arrière else []), pause=0.3)
    return None


def bientôt(condition, secondes=4):
    fin = time.time() + secondes
    while time.time() < fin:
        try:
            if condition():
                return True
        except Exception:
            pass
        time.sleep(0.2)
    return False


app = application()
fenêtre_active(app)
touche("Entrée")
liste = fenêtre_active(app, "Evalo", avec=("push button", "Ajouter une classe"))

# Une nouvelle classe, tout au clavier : nom, cours, un élève, puis le coefficient de la
# compétence donné par Entrée dans la liste des compétences (jadis : double clic seul).
touche("a", "Alt", pause=1)
fenêtre_active(app, "NOM DE LA CLASSE")
taper("5E")
touche("Entrée", pause=1)
fenêtre_active(app, "NOM DU COURS")
taper("Sciences")
touche("Entrée", pause=1.5)
nouvelle = fenêtre_active(app, "Entrer une nouvelle classe")
touche("a", "Alt", pause=1)
fenêtre_active(app, "NOM DE L'ELEVE")
taper("Durand Paul")
touche("Entrée", pause=1)
touche("Échap", pause=1)
nouvelle = fenêtre_active(app, "Entrer une nouvelle classe")
vérifier(tab_jusquà(nouvelle, "list", "Liste des compétences") is not None, "Tab n'atteint pas la liste des compétences")
compétences = premier(nouvelle, "list", "Liste des compétences")
for i in range(compétences.childCount):
    touche("Entrée", pause=1)  # comme le double clic : le coefficient est demandé
    fenêtre_active(app, "", avec=("text", "Tapez le coefficient"))
    taper("100" if i == 0 else "0")
    touche("Entrée", pause=1)
    nouvelle = fenêtre_active(app, "Entrer une nouvelle classe")
    touche("Bas", pause=0.5)
vérifier(compétences.getChildAtIndex(0).name.startswith("100%"),
         f"Entrée n'a pas donné de coefficient : {compétences.getChildAtIndex(0).name!r}")
touche("o", "Alt", pause=2)
liste = fenêtre_active(app, "Evalo", avec=("push button", "Ajouter une classe"))
classes = premier(liste, "list", "Liste des classes")
vérifier(any(classes.getChildAtIndex(i).name.startswith("5E") for i in range(classes.childCount)),
         "la classe 5E n'est pas dans la liste")

# Entrée ouvre la classe courante de la liste.
touche("Entrée", pause=2)
feuille = fenêtre_active(app, "Programme de cotation")
grille = attendre(lambda: premier(feuille, "table", "Feuille de cotes"), quoi="la grille")
avant = grille.name

# Un onglet de classe, atteint par Tab : la flèche à droite ouvre la classe voisine.
vérifier(tab_jusquà(feuille, "page tab list") is not None, "Tab n'atteint pas les onglets des classes")
touche("Droite", pause=2)
if not bientôt(lambda: premier(feuille, "table", "Feuille de cotes").name != avant, 4):
    touche("Gauche", pause=2)  # le dernier onglet : la classe voisine est à gauche
vérifier(bientôt(lambda: premier(feuille, "table", "Feuille de cotes").name != avant, 6),
         f"la flèche sur l'onglet n'a pas ouvert d'autre classe ({avant})")

# L'historique : Tab quitte son tableau et atteint « Fermer ».
touche("h", "Ctrl", pause=2)
historique = fenêtre_active(app, "Historique")
vérifier(tab_jusquà(historique, "push button", "Fermer", fois=12) is not None,
         "Tab reste dans le tableau de l'historique : « Fermer » jamais atteint")
touche("Entrée", pause=1.5)
fenêtre_active(app, "Programme de cotation")

# L'importation : Tab traverse l'aperçu du fichier et en sort jusqu'à « Annuler ».
chemin = os.path.join(os.environ["HOME"], "liste.csv")
with open(chemin, "w", encoding="utf-8") as f:
    f.write("Nom;Prénom;Classe\nKowalski;Lukasz;3D\nAubry;Lou;3D\n")
touche("f", "Alt")
touche("l", pause=1.5)
fenêtre_active(app, "Choisir la liste")
taper(chemin)
touche("Entrée", pause=2)
importation = fenêtre_active(app, "", avec=("table", "Aperçu du fichier"))
aperçu_vu = False
annuler_vu = False
for _ in range(30):
    touche("Tab", pause=0.4)
    aperçu_vu = aperçu_vu or premier(importation, "table", "Aperçu du fichier").getState().contains(pyatspi.STATE_FOCUSED)
    if aperçu_vu and focalisé(importation, "push button", "Annuler"):
        annuler_vu = True
        break
vérifier(aperçu_vu, "Tab n'atteint jamais l'aperçu du fichier")
vérifier(annuler_vu, "Tab reste dans l'aperçu du fichier : « Annuler » jamais atteint")
touche("Échap", pause=1.5)
fenêtre_active(app, "Programme de cotation")

finir()
