"""Ce qu'un lecteur d'écran lit de l'année de démonstration : chaque contrôle des
fenêtres ouvertes a un nom, les cases de la grille disent l'élève, le test, la
note et son sens, les en-têtes sont les vrais titres, l'historique se lit."""

from commun import *


def lire_fenêtre(fenêtre, quoi):
    for f in sans_nom(fenêtre):
        faute(f"{quoi} : {f}")


app = application()
bienvenue = fenêtre_active(app)
lire_fenêtre(bienvenue, "bienvenue")
vérifier(premier(bienvenue, "push button", "Continuer") is not None, "bienvenue : pas de bouton « Continuer »")

touche("Entrée")
liste = fenêtre_active(app, "Evalo", avec=("push button", "Ajouter une classe"))
lire_fenêtre(liste, "liste des classes")


touche("Entrée")  # la ligne que le focus montre s'ouvre
feuille = fenêtre_active(app, "Programme de cotation")
time.sleep(1)
lire_fenêtre(feuille, "feuille de cotes")

grille = premier(feuille, "table")
vérifier(grille is not None and grille.name.startswith("Feuille de cotes"), "la grille n'a pas son nom")
table = grille.queryTable()
# Les en-têtes sont les vrais titres : un test, son maximum, sa compétence ; un élève.
entêtes = [table.getColumnHeader(c).name for c in range(table.nColumns)]
vérifier(any(e.startswith("interro n°") and " sur " in e for e in entêtes), f"en-têtes des colonnes : {entêtes[:6]}")
vérifier(any(e.startswith("moyenne sur ") for e in entêtes), "pas d'en-tête « moyenne sur … »")
vérifier(table.getRowHeader(3).name.strip() != "", "la première ligne d'élève n'a pas d'en-tête")

# Dix cases, comme un lecteur d'écran les dit : une note, une absence, une note
# sous la moitié, un résultat (avec son explication pour description).
genres = {"une note": lambda n: " sur " in n and "sous la moitié" not in n,
          "une absence": lambda n: n.endswith(": absent") or "absence" in n,
          "une note sous la moitié": lambda n: "sous la moitié" in n,
          "un résultat": lambda n: ", moyenne : " in n}
trouvés = {}
lues = []
for r in range(3, table.nRows):
    for c in range(1, table.nColumns):
        case = table.getAccessibleAt(r, c)
        nom = case.name
        for genre, test in genres.items():
            if genre not in trouvés and test(nom):
                trouvés[genre] = case
                lues.append(nom)
        if len(lues) < 10 and nom not in lues:
            lues.append(nom)
for genre in genres:
    vérifier(genre in trouvés, f"aucune case ne se lit comme {genre}")
if "un résultat" in trouvés:
    vérifier(trouvés["un résultat"].description.strip() != "", "un résultat sans son explication")
print("cases lues :")
for n in lues[:10]:
    print("  ", n)
    vérifier(", élève n°" in n or (", " in n and " : " in n), f"case sans élève ni test : {n!r}")

# Sur le premier élève, comme un professeur au clavier.
for _ in range(3):
    touche("Bas", pause=0.3)
fenêtres = [("h", None, "Historique", "historique"), ("f", None, "Fiche individuelle", "fiche individuelle"),
            ("t", "Dernière période", "Affichage des TOTAUX", "totaux"), ("p", None, "Impression", "impression"),
            ("c", None, "Classement", "classement"), ("g", None, "Répartition des résultats", "répartition"),
            ("l", None, "Liste des interrogations orales", "notes orales")]
for raccourci, question, titre, quoi in fenêtres:
    touche(raccourci, "Ctrl", pause=1.5)
    if question:  # une boîte de saisie d'abord, lue elle aussi ; Entrée garde la réponse proposée
        lire_fenêtre(fenêtre_active(app, question), f"question avant {quoi}")
        touche("Entrée", pause=1.5)
    fenêtre = fenêtre_active(app, titre)
    lire_fenêtre(fenêtre, quoi)
    if quoi in ("fiche individuelle", "répartition"):
        graphes = [o for o in descendants(fenêtre) if o.getRoleName() == "image"]
        mot = "%" if quoi == "fiche individuelle" else "Répartition sur"
        vérifier(any(mot in g.description for g in graphes), f"le graphique ({quoi}) ne se dit pas en mots")
        print("graphique :", graphes[0].description if graphes else "-")
    touche("Échap", pause=1)
    fenêtre_active(app, "Programme de cotation")

# Retour à la liste des classes (Ctrl+O), puis une nouvelle classe, lue.
touche("o", "Ctrl", pause=1.5)
fenêtre_active(app, "Evalo", avec=("push button", "Ajouter une classe"))
touche("a", "Alt", pause=1)
taper("9Z")
touche("Entrée", pause=1)
taper("Essai")
touche("Entrée", pause=1.5)
lire_fenêtre(fenêtre_active(app, "Entrer une nouvelle classe"), "nouvelle classe")

finir()
