#!/usr/bin/env bash
# Construit le cœur et ses essais avec AddressSanitizer et UndefinedBehaviorSanitizer
# dans build-asan/, puis les passe (l'intégration continue le fait après tester.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dependances.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DEVALO_SANITISEURS=ON -DEVALO_MESURES=OFF > /dev/null
cmake --build build-asan --parallel "$(nproc)" --target essais_plateforme essais_noyau enfant_transactions
cd build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
