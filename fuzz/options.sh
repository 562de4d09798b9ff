# Shared by smoke.sh and run.sh: the libFuzzer options of target $name, with its dictionary
# assembled in $work. Bounds: 10 s per input (KYR_FUZZ_TIMEOUT overrides it for runs that share
# the machine), 2 GiB of memory.
fuzz_options() {
  local name=$1 work=$2 here
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  options=(-timeout=${KYR_FUZZ_TIMEOUT:-10} -rss_limit_mb=2048 -print_final_stats=1)
  case $name in
    reader) cat "$here/dict/xml.dict" > "$work/dict" ;;
    document | round_trip) cat "$here/dict/xml.dict" "$here/dict/kyr.dict" > "$work/dict" ;;
    *) return 0 ;;
  esac
  options+=(-dict="$work/dict")
}
