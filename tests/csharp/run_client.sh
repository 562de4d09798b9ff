#!/bin/sh
# Compiles the C# client with Mono's compiler and runs it against the built
# library. Exit code 77 marks the test skipped.
#
#     run_client.sh MODE MCS MONO PINVOKE_CS SOURCE_DIR WORK_DIR LIBRARY_DIR
mode=$1 mcs=$2 mono=$3 pinvoke=$4 source_dir=$5 work_dir=$6 library_dir=$7

if [ "$mode" = sanitizer ]; then
    echo "skipped: Mono cannot load a library built with the address sanitizer without LD_PRELOAD"
    exit 77
fi
if [ ! -x "$mcs" ] || [ ! -x "$mono" ]; then
    echo "Mono is missing (mcs: '$mcs', mono: '$mono'): install mono-mcs and mono-runtime"
    exit 1
fi
mkdir -p "$work_dir" || exit 1
"$mcs" -nologo -warnaserror -out:"$work_dir/KyrClient.exe" "$pinvoke" "$source_dir"/*.cs || exit 1
LD_LIBRARY_PATH="$library_dir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    exec "$mono" "$work_dir/KyrClient.exe" "$library_dir/libkyr.so" "$work_dir" "$(dirname "$pinvoke")/flat_exports.txt"
