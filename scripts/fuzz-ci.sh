#!/usr/bin/env bash
# CI: builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) in their own build folder and runs each for a
# short bounded time on its saved corpus. Any crash, leak, undefined
# behaviour or failed check fails the script.
#   FUZZ_SECONDS   seconds per target (default 20)
#   FUZZ_BUILD     build folder (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${FUZZ_SECONDS:-20}
FUZZ_BUILD=${FUZZ_BUILD:-build-fuzz}
TARGETS=(language_file_fuzz condition_record_fuzz text_reply_fuzz identification_fuzz
         status_reply_fuzz block_reply_fuzz profile_files_fuzz card_reader_fuzz)

bash scripts/setup.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S . -B "$FUZZ_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKT520_FUZZ=ON -DKT520_BUILD_TESTS=OFF >/dev/null
cmake --build "$FUZZ_BUILD" --target "${TARGETS[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in "${TARGETS[@]}"; do
    seeds="fuzz/corpus/${target%_fuzz}"
    scratch="$FUZZ_BUILD/corpus/${target%_fuzz}"
    mkdir -p "$scratch"
    # New inputs go to the scratch folder; the saved seeds stay as they are.
    (cd "$FUZZ_BUILD" && "bin/$target" -max_total_time="$FUZZ_SECONDS" -max_len=4096 \
        -timeout=10 -print_final_stats=1 "corpus/${target%_fuzz}" "../$seeds") \
        2>"$FUZZ_BUILD/$target.log" || { tail -n 60 "$FUZZ_BUILD/$target.log"; exit 1; }
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$FUZZ_BUILD/$target.log" |
        grep -o '[0-9]*$' || echo "?")
    echo "$target: $runs inputs in ${FUZZ_SECONDS}s, no failure"
done
