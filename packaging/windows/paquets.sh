#!/usr/bin/env bash
# Après scripts/windows.sh : rassemble le programme pour Windows (evalo.exe, les DLL
# dont il dépend, réduites, les seuls greffons de Qt employés, la traduction de Qt, les
# polices), en fait l'installateur NSIS et la copie portable, puis les essaie sous
# Wine : installation silencieuse, evalo.exe --version installé, copie portable lancée
# d'un dossier aux accents (ses données restent à côté d'elle), désinstallation.
#   QT_WINDOWS=… BIB_WINDOWS=… MINGW=… bash packaging/windows/paquets.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
racine=$PWD
version=$(sed -n 's/^project(evalo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
sortie=$racine/build-windows
dossier=$sortie/windows/Evalo
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-/var/cache/evalo-windows/wine}
unset WINEPATH  # le programme installé trouve ses DLL à côté de lui, comme chez le professeur

rm -rf "$dossier"
mkdir -p "$dossier/platforms" "$dossier/styles" "$dossier/translations" "$dossier/polices"
cp "$sortie/app/evalo.exe" "$dossier/"
# Greffons : l'écran de Windows et son style ; aucun format d'image (le programme ne lit
# aucune image, ses icônes sont dessinées), l'impression est dans Qt6PrintSupport.
cp "$QT_WINDOWS/plugins/platforms/qwindows.dll" "$dossier/platforms/"
cp "$QT_WINDOWS/plugins/styles/qwindowsvistastyle.dll" "$dossier/styles/"
cp /usr/share/qt6/translations/qtbase_fr.qm "$dossier/translations/"
printf '[Paths]\nPrefix=.\nTranslations=translations\nPlugins=.\n' > "$dossier/qt.conf"
cp "$sortie"/app/polices/*.ttf "$dossier/polices/"

# Les DLL dont dépendent evalo.exe et ses greffons, de proche en proche.
chemins=("$QT_WINDOWS/bin" "$BIB_WINDOWS/bin" "$MINGW" /usr/x86_64-w64-mingw32/lib /usr/x86_64-w64-mingw32/bin)
avoir=("$dossier/evalo.exe" "$dossier/platforms/qwindows.dll" "$dossier/styles/qwindowsvistastyle.dll")
while [ ${#avoir[@]} -gt 0 ]; do
  fichier=${avoir[0]}
  avoir=("${avoir[@]:1}")
  while read -r dll; do
    [ -e "$dossier/$dll" ] && continue
    for c in "${chemins[@]}"; do
      if [ -e "$c/$dll" ]; then
        cp "$c/$dll" "$dossier/"
        avoir+=("$dossier/$dll")
        break
      fi
    done
  done < <(x86_64-w64-mingw32-objdump -p "$fichier" | sed -n 's/^\s*DLL Name: \(.*\)$/\1/p')
done
find "$dossier" \( -name '*.exe' -o -name '*.dll' \) -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

# L'installateur (CPack, NSIS) et la copie portable (un fichier la marque comme telle).
(cd "$sortie" && cpack -G NSIS > /dev/null)
installateur=$sortie/Evalo-$version-win64-setup.exe
portable=$sortie/Evalo-$version-win64-portable.zip
rm -rf "$sortie/portable" "$portable"
mkdir -p "$sortie/portable"
cp -r "$dossier" "$sortie/portable/Evalo"
cat > "$sortie/portable/Evalo/evalo-portable.txt" <<FIN
Ce fichier fait de ce dossier une copie portable d'Evalo : les classes, les
exportations et les réglages restent dans ce dossier (« Données Evalo »,
« Exportation Evalo »), sur la clé, et rien ne s'écrit sur l'ordinateur.
Sans ce fichier, Evalo garde ses données dans le profil de l'utilisateur.
FIN
(cd "$sortie/portable" && cmake -E tar cf "$portable" --format=zip Evalo)

# Sous Wine : installation silencieuse, puis le programme installé répond.
programfiles="$WINEPREFIX/drive_c/Program Files/Evalo"
wine "$installateur" /S
for _ in $(seq 60); do [ -e "$programfiles/evalo.exe" ] && [ -e "$programfiles/Uninstall.exe" ] && break; sleep 0.5; done
debut=$(date +%s%N)
reponse=$(wine "$programfiles/evalo.exe" --version | tr -d '\r')
dureeversion=$(( ($(date +%s%N) - debut) / 1000000 ))
[ "$reponse" = "evalo $version" ] || { echo "evalo.exe installé répond « $reponse »"; exit 1; }
menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Evalo/Evalo.lnk' | head -1)
[ -n "$menu" ] || { echo "pas d'entrée Evalo dans le menu Démarrer"; exit 1; }
if ! grep -aq 'Evalo.evalo\.exe' "$menu" || grep -aq 'bin.evalo\.exe' "$menu"; then
  echo "l'entrée du menu Démarrer ne mène pas à Evalo\\evalo.exe"; exit 1
fi

# La copie portable, dézippée dans un dossier aux accents, garde ses données à côté d'elle.
cle="$WINEPREFIX/drive_c/Clé USB/Évaluations élèves"
rm -rf "$cle" "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Evalo"
mkdir -p "$cle"
(cd "$cle" && cmake -E tar xf "$portable")
reponse=$(wine "$cle/Evalo/evalo.exe" --version | tr -d '\r')
[ "$reponse" = "evalo $version" ] || { echo "la copie portable répond « $reponse »"; exit 1; }
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "wine '$cle/Evalo/evalo.exe' & sleep 15; wineserver -k" >/dev/null 2>&1 || true
[ -d "$cle/Evalo/Données Evalo" ] || { echo "la copie portable n'a pas mis ses données à côté d'elle"; exit 1; }
[ ! -e "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Evalo" ] || { echo "la copie portable a écrit dans le profil"; exit 1; }

# La désinstallation silencieuse retire le programme.
wine "$programfiles/Uninstall.exe" /S
for _ in $(seq 60); do [ ! -e "$programfiles/evalo.exe" ] && break; sleep 0.5; done
[ ! -e "$programfiles/evalo.exe" ] || { echo "la désinstallation a laissé evalo.exe"; exit 1; }

taille() { du -k "$1" | cut -f1; }
echo "Windows (Wine) : installateur $(basename "$installateur") ($(taille "$installateur") Kio), copie portable" \
     "$(basename "$portable") ($(taille "$portable") Kio) ; installés, lancés (--version en $dureeversion ms), désinstallés."
