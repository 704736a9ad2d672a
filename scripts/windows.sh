#!/usr/bin/env bash
# Le programme pour Windows, construit ici avec MinGW-w64 et essayé sous Wine :
# installe ce qui manque, construit (ou reprend du cache) Qt et les bibliothèques,
# construit le programme et ses essais dans build-windows/, passe sous Wine les essais
# du cœur (fichiers, transactions et arrêts brutaux compris), puis fait
# l'installateur (build-windows/Evalo-<version>-win64-setup.exe) et la copie portable
# (build-windows/Evalo-<version>-win64-portable.zip), et les essaie sous Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/wine-env.sh
export PKG_CONFIG_LIBDIR="$bib/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig"
# D'autres Qt ou bibliothèques (une nouvelle version, d'autres options) : la
# configuration garderait les anciens chemins trouvés ; on repart d'un dossier neuf.
if [ "$(cat build-windows/.prefixes 2>/dev/null)" != "$qt $bib" ]; then
  rm -rf build-windows
  mkdir -p build-windows
  echo "$qt $bib" > build-windows/.prefixes
fi
# L'icône, avant la configuration : evalo.exe la porte dans ses ressources.
mkdir -p build-windows/windows
convert -background none packaging/evalo.svg -define icon:auto-resize=256,64,48,32,16 build-windows/windows/evalo.ico
cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$PWD/packaging/windows/mingw-w64.cmake" \
  -DEVALO_WINDOWS_PREFIXES="$qt;$bib" -DCMAKE_PREFIX_PATH="$qt;$bib" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
  -DCMAKE_BUILD_TYPE=Release -DEVALO_MESURES=OFF -DEVALO_WERROR=ON > /dev/null
cmake --build build-windows --parallel "$(nproc)" \
  --target essais_plateforme essais_noyau enfant_transactions essais_qt essais_fenetres enfant_fusion alternance evalo
cd build-windows
# Les essais de la plateforme et du cœur (QtCore seul), sous Wine : fichiers, transactions
# et arrêts brutaux (TerminateProcess à chaque étape), porte des textes, listes importées, fusion.
export LC_ALL=C.UTF-8
echecs=0
for essais in essais_plateforme essais_noyau; do
  wine "tests/$essais.exe" --gtest_brief=1 || echecs=$((echecs + 1))
done
[ "$echecs" -eq 0 ] || exit "$echecs"
echo "Windows (Wine) : essais de la plateforme et du cœur réussis."
# Les essais des fenêtres, sur l'écran de Windows (greffon qwindows) que Wine dessine dans
# Xvfb : Wine ne transmet pas les variables QT_*, d'où -platform. Les documents sont relus
# par les outils de Linux (poppler, LibreOffice, openpyxl, CUPS). Le spouleur de Wine ne
# voit que les files présentes à son démarrage : la file d'essai est créée avant.
bash ../scripts/cups.sh
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -p EvaloEssai -E -v cups-pdf:/ -P "$ppd" 2> /dev/null || echo "CUPS : file d'essai impossible à créer"
# Seul essai écarté : la paire Syncthing (le Syncthing de Debian est un programme Linux
# que l'essai doit tenir en marche et arrêter ; la fusion des copies en conflit qu'il
# fait est essayée sous Wine par les autres essais des deux ordinateurs).
# Un essai sauté (un outil manquant) compte comme un échec : il n'aurait rien prouvé.
# Chaque écran Xvfb a son wineserver : celui d'avant, lié à un autre écran (ou à aucun),
# refuserait d'activer les fenêtres ; on attend qu'il s'arrête.
for essais in essais_qt essais_fenetres; do
  wineserver -w
  timeout 1200 xvfb-run -a -s "-screen 0 1280x1024x24" wine "tests/$essais.exe" -platform windows --gtest_brief=1 \
    --gtest_filter=-DeuxOrdinateurs.UnVraiDossierSynchroniseParSyncthing 2>&1 | tee "tests/$essais.journal" \
    || echecs=$((echecs + 1))
  ! grep -q "SKIPPED" "tests/$essais.journal" || echecs=$((echecs + 1))
done
[ "$echecs" -eq 0 ] || exit "$echecs"
echo "Windows (Wine) : essais des fenêtres réussis."
cd ..
QT_WINDOWS=$qt BIB_WINDOWS=$bib MINGW=$mingw bash packaging/windows/paquets.sh
