# The time the build writes into what it makes: the last commit's, so that
# the same sources give the same files. CMake, CPack and Qt's rcc take it
# from SOURCE_DATE_EPOCH; sourced by the other scripts.
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]]; then
  SOURCE_DATE_EPOCH=$(git -C "$(dirname "${BASH_SOURCE[0]}")/.." log -1 --format=%ct 2>/dev/null ||
    date +%s)
  export SOURCE_DATE_EPOCH
fi
