# L'environnement de Wine des programmes construits dans build-windows (à sourcer depuis
# la racine du projet) : Qt et bibliothèques du cache, DLL de MinGW trouvées par WINEPATH.
read -r qt bib < <(bash scripts/windows-dependances.sh | tail -1)
export WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-/var/cache/evalo-windows/wine}
mingw=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
export WINEPATH="$qt/bin;$bib/bin;$mingw;/usr/x86_64-w64-mingw32/lib"
