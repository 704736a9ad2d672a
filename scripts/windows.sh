#!/usr/bin/env bash
# Le programme pour Windows, construit ici avec MinGW-w64 et essayé sous Wine :
# installe ce qui manque, construit (ou reprend du cache) Qt et les bibliothèques,
# construit le programme et ses essais dans build-windows/, passe sous Wine les essais
# du cœur (fichiers, transactions et arrêts brutaux compris), puis fait
# l'installateur (build-windows/Evalo-<version>-win64-setup.exe) et la copie portable
# (build-windows/Evalo-<version>-win64-portable.zip), et les essaie sous Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
read -r qt bib < <(bash scripts/windows-dependances.sh | tail -1)
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-/var/cache/evalo-windows/wine}
# Wine trouve les DLL de Qt, de MinGW et des bibliothèques par WINEPATH.
mingw=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
export WINEPATH="$qt/bin;$bib/bin;$mingw;/usr/x86_64-w64-mingw32/lib"
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
cmake --build build-windows --parallel "$(nproc)" --target essais_plateforme essais_noyau enfant_transactions evalo
cd build-windows
# Les essais de la plateforme et du cœur (QtCore seul), sous Wine : fichiers, transactions
# et arrêts brutaux (TerminateProcess à chaque étape), porte des textes, listes importées, fusion.
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
echecs=0
for essais in essais_plateforme essais_noyau; do
  wine "tests/$essais.exe" --gtest_brief=1 || echecs=$((echecs + 1))
done
[ "$echecs" -eq 0 ] || exit "$echecs"
echo "Windows (Wine) : essais de la plateforme et du cœur réussis."
cd ..
QT_WINDOWS=$qt BIB_WINDOWS=$bib MINGW=$mingw bash packaging/windows/paquets.sh
