"""La liste des utilisateurs au clavier seul : Ctrl+U l'ouvre, un utilisateur s'ajoute,
et Entrée sur son nom le choisit (jadis : double clic seul)."""

from commun import *

app = application()
bienvenue = fenêtre_active(app, "Evalo", avec=("push button", "Continuer"))
touche("u", "Ctrl", pause=1.5)
fenêtre = fenêtre_active(app, "Liste des utilisateurs")
vérifier(premier(fenêtre, "list", "Utilisateurs") is not None, "la liste des utilisateurs n'a pas de nom")
touche("Tab", pause=0.5)
touche("Espace", pause=1.5)  # le bouton « Ajouter »
fenêtre_active(app, "Nouvel utilisateur")
taper("Anne")
touche("Entrée", pause=1.5)
fenêtre = fenêtre_active(app, "Liste des utilisateurs")
liste = premier(fenêtre, "list", "Utilisateurs")
vérifier(liste.childCount == 1 and liste.getChildAtIndex(0).name == "Anne", "Anne n'est pas dans la liste")
touche("Tab", "Maj", pause=0.8)
touche("Entrée", pause=1.5)
bienvenue = fenêtre_active(app, "Evalo", avec=("push button", "Continuer"))
vérifier(premier(bienvenue, "label", "Anne") is not None, "Entrée n'a pas choisi l'utilisatrice Anne")
finir()
