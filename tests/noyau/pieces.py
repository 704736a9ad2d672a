#!/usr/bin/env python3
"""Règles du rangement du cœur, vérifiées sur les sources.

Arguments : la racine des sources, puis chaque pièce sous la forme
"pièce:dessous1,dessous2" (telles que noyau/CMakeLists.txt les déclare).
Échoue quand une unité du cœur n'est dans aucune pièce, quand une pièce inclut
une pièce qui n'est pas en dessous d'elle, quand des unités s'incluent en boucle,
ou quand une unité hors des essais et des mesures dépasse 600 lignes.
"""
import os
import re
import sys

LIMITE = 600
INCLUSION = re.compile(r'^#include "([^"]+)"', re.M)


def unités(racine):
    for dossier, sous, fichiers in os.walk(racine):
        sous[:] = [d for d in sous if not d.startswith(('.', 'build'))]
        for f in fichiers:
            if f.endswith(('.h', '.cpp')):
                yield os.path.relpath(os.path.join(dossier, f), racine)


def main():
    racine, déclarées = sys.argv[1], sys.argv[2:]
    dessous = {}
    for d in déclarées:
        pièce, _, liste = d.partition(':')
        dessous[pièce] = set(filter(None, liste.split(',')))
    fautes = []
    inclusions = {}
    for chemin in sorted(unités(racine)):
        texte = open(os.path.join(racine, chemin), encoding='utf-8').read()
        if not chemin.startswith(('tests/', 'mesures/')) and texte.count('\n') > LIMITE:
            fautes.append(f'{chemin} : {texte.count(chr(10))} lignes (au plus {LIMITE})')
        if not chemin.startswith('noyau/') or chemin == 'noyau/verification.cpp':
            continue
        parties = chemin.split('/')
        if len(parties) != 3 or parties[1] not in dessous:
            fautes.append(f'{chemin} : hors de toute pièce du cœur')
            continue
        pièce = parties[1]
        unité = os.path.splitext(chemin)[0]
        for inclus in INCLUSION.findall(texte):
            if inclus.startswith(('demarrage/', 'classes/', 'feuille/', 'impression/', 'rapports/', 'socle/', 'app/',
                                  'plateforme/qt/')):
                fautes.append(f'{chemin} inclut {inclus} : le cœur ne connaît aucune fenêtre')
            if not inclus.startswith('noyau/'):
                continue
            autre = inclus.split('/')[1]
            if autre != pièce and autre not in dessous[pièce]:
                fautes.append(f'{chemin} inclut {inclus} : la pièce « {autre} » n\'est pas sous « {pièce} »')
            cible = os.path.splitext(inclus)[0]
            if cible != unité:
                inclusions.setdefault(unité, set()).add(cible)
    fautes += boucles(inclusions)
    for f in fautes:
        print(f)
    print(f'{len(fautes)} faute(s) de rangement')
    return 1 if fautes else 0


def boucles(graphe):
    """Chaque boucle d'inclusions entre unités (un .h et son .cpp forment une unité)."""
    trouvées, état = [], {}

    def visiter(u, pile):
        état[u] = 'en cours'
        for v in sorted(graphe.get(u, ())):
            if état.get(v) == 'en cours':
                trouvées.append('boucle d\'inclusions : ' + ' -> '.join(pile[pile.index(v):] + [v]))
            elif v not in état:
                visiter(v, pile + [v])
        état[u] = 'fini'

    for u in sorted(graphe):
        if u not in état:
            visiter(u, [u])
    return trouvées


if __name__ == '__main__':
    sys.exit(main())
