#!/usr/bin/env bash
# Construit une fois par machine, hors du clone, ce dont le programme Windows a besoin
# et que Debian n'a pas pour MinGW-w64 : Qt (qtbase de Debian), libarchive,
# libxlsxwriter et GoogleTest, depuis les sources de Debian. Chaque préfixe porte les
# versions et les options : d'autres options, un autre dossier ; le même, rien à refaire.
# Imprime, en dernière ligne, les deux préfixes : « qt bibliothèques ».
set -euo pipefail
ici=$(cd "$(dirname "$0")/.." && pwd)
chaine="$ici/packaging/windows/mingw-w64.cmake"
cache=${EVALO_CACHE_WINDOWS:-/var/cache/evalo-windows}
export DEBIAN_FRONTEND=noninteractive WINEDEBUG=-all
sudo_si_besoin=()
[ "$(id -u)" -ne 0 ] && sudo_si_besoin=(sudo)
travaux=$(nproc)

bash "$ici/scripts/dependances.sh" --windows >&2

# Les sources de Debian : des lignes deb-src pour la suite de la machine (sécurité comprise).
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
lignes_sources="Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg"
fichier_sources=/etc/apt/sources.list.d/evalo-sources.sources
if [ "$(cat "$fichier_sources" 2>/dev/null)" != "$lignes_sources" ]; then
  echo "$lignes_sources" | "${sudo_si_besoin[@]}" tee "$fichier_sources" > /dev/null
  "${sudo_si_besoin[@]}" apt-get update -qq >&2
fi

# source_debian PAQUET-SOURCE PAQUET-INSTALLÉ : le dossier des sources Debian de la
# version installée, téléchargées une fois.
source_debian() {
  local paquet=$1 version dossier
  version=$(dpkg-query -W -f='${source:Version}' "$2")
  dossier="$cache/sources/$paquet-$version"
  if [ ! -d "$dossier" ]; then
    local tmp="$cache/sources/tmp-$paquet"
    rm -rf "$tmp" && mkdir -p "$tmp"
    (cd "$tmp" && apt-get source -qq "$paquet=$version" >&2)
    mv "$(find "$tmp" -mindepth 1 -maxdepth 1 -type d | head -1)" "$dossier"
    rm -rf "$tmp"
  fi
  echo "$dossier"
}

# construire NOM SOURCE PREFIXE OPTIONS... : une construction CMake croisée, installée dans PREFIXE.
construire() {
  local nom=$1 source=$2 prefixe=$3
  shift 3
  local construction="$cache/construction-$nom"
  rm -rf "$construction"
  cmake -S "$source" -B "$construction" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$chaine" -DCMAKE_INSTALL_PREFIX="$prefixe" \
    -DCMAKE_BUILD_TYPE=Release "$@" >&2
  nice -n 10 cmake --build "$construction" --parallel "$travaux" >&2
  cmake --install "$construction" >&2
  rm -rf "$construction"
}

empreinte() { printf '%s\n' "$@" "$(cat "$chaine")" "$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix)" | sha256sum | cut -c1-12; }

# --- Qt -----------------------------------------------------------------------
options_qt=(
  -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_tabletevent=OFF -DFEATURE_pkg_config=OFF -DFEATURE_androiddeployqt=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=ON -DFEATURE_printsupport=ON
  -DFEATURE_accessibility=ON -DFEATURE_system_zlib=OFF
  -DINPUT_openssl=no -DFEATURE_icu=OFF -DFEATURE_vulkan=OFF
)
version_qt=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt="$cache/qt-$version_qt-$(empreinte "$version_qt" "${options_qt[@]}")"
if [ ! -f "$qt/.fini" ]; then
  # Le dfsg de Debian ôte src/3rdparty/wintab (d'où tabletevent) ; la construction dure
  # une demi-heure sur deux cœurs, une seule fois par machine.
  sources_qt=$(source_debian qt6-base qt6-base-dev)
  construire qt "$sources_qt" "$qt" "${options_qt[@]}"
  touch "$qt/.fini"
fi

# --- libarchive, libxlsxwriter, GoogleTest --------------------------------------
version_bib=$(dpkg-query -W -f='${Version};' libarchive-dev libxlsxwriter-dev libgtest-dev libz-mingw-w64-dev)
bib="$cache/bibliotheques-$(empreinte "$version_bib" "2 libxlsxwriter en UTF-8 sous MinGW, tmpfileplus")"
if [ ! -f "$bib/.fini" ]; then
  zlib=(-DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a)
  # libarchive : le zip seul (zlib), sans les autres formats ni les outils.
  sources_archive=$(source_debian libarchive libarchive-dev)
  sources_xlsx=$(source_debian libxlsxwriter libxlsxwriter-dev)
  # Ses essais de configuration lancent de petits programmes : Wine les fait tourner.
  construire libarchive "$sources_archive" "$bib" "${zlib[@]}" -DCMAKE_CROSSCOMPILING_EMULATOR=wine \
    -DENABLE_OPENSSL=OFF -DENABLE_CNG=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_BZip2=OFF -DENABLE_LZ4=OFF \
    -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF -DENABLE_ICONV=OFF -DENABLE_LIBB2=OFF -DENABLE_ACL=OFF -DENABLE_XATTR=OFF \
    -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_TEST=OFF -DPOSIX_REGEX_LIB=NONE -DENABLE_WERROR=OFF
  # libxlsxwriter écarte sous MinGW son code Windows (nom UTF-8 rendu en UTF-16,
  # _wfopen, minizip iowin32) : fopen() y lirait le nom dans la page ANSI, où
  # « Documents/Élèves/Łódź » n'existe pas. Une copie des sources le garde pour MinGW ;
  # ses fichiers de travail vont par tmpfileplus dans le dossier que le programme donne
  # (tmpfile() de Windows écrit à la racine de C:, interdite sans droits d'administrateur).
  xlsx_mingw="$cache/sources/libxlsxwriter-mingw"
  rm -rf "$xlsx_mingw" && cp -r "$sources_xlsx" "$xlsx_mingw"
  sed -i '/^#ifdef __MINGW32__$/,/^#endif$/d' "$xlsx_mingw/src/packager.c" "$xlsx_mingw/src/utility.c"
  perl -0pi -e 's/if\(MSVC\)(\s*list\(APPEND LXW_SOURCES third_party\/minizip\/iowin32\.c\))/if(WIN32)$1/' "$xlsx_mingw/CMakeLists.txt"
  grep -q 'if(WIN32)' "$xlsx_mingw/CMakeLists.txt" && ! grep -q '__MINGW32__' "$xlsx_mingw/src/packager.c" || { echo "libxlsxwriter : correction pour MinGW impossible" >&2; exit 1; }
  construire libxlsxwriter "$xlsx_mingw" "$bib" "${zlib[@]}" \
    -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF -DUSE_STANDARD_TMPFILE=OFF
  construire googletest /usr/src/googletest "$bib" -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
  touch "$bib/.fini"
fi
echo "$qt $bib"
