#!/bin/sh
# Compiles the C# client against Kyr.dll with Mono's compiler and runs one of
# its modes against the built library. Exit code 77 marks the test skipped.
#
#     run_client.sh MODE MCS MONO ASSEMBLY SOURCE_DIR WORK_DIR LIBRARY_DIR [ARGUMENTS...]
mode=$1 mcs=$2 mono=$3 assembly=$4 source_dir=$5 work_dir=$6 library_dir=$7
shift 7

if [ "$mode" = sanitizer ]; then
    echo "skipped: Mono cannot load a library built with the address sanitizer without LD_PRELOAD"
    exit 77
fi
if [ ! -x "$mcs" ] || [ ! -x "$mono" ] || [ ! -f "$assembly" ]; then
    echo "Mono or Kyr.dll is missing (mcs: '$mcs', mono: '$mono', '$assembly'): install mono-mcs and mono-runtime"
    exit 1
fi
mkdir -p "$work_dir" || exit 1
cp "$assembly" "$work_dir/" || exit 1
"$mcs" -nologo -warnaserror -r:"$work_dir/Kyr.dll" -out:"$work_dir/KyrClient.exe" "$source_dir"/*.cs || exit 1
LD_LIBRARY_PATH="$library_dir${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}" \
    exec "$mono" --debug "$work_dir/KyrClient.exe" "$mode" "$@"
