# The Debian 12 packages Orthavion needs, by what needs them. Sourced by
# scripts/install-deps, which installs every one that is missing, and by
# scripts/test and scripts/fuzz, which only check for theirs.

# The core and the batch program.
packages_build=(
  g++ cmake ninja-build pkg-config   # compiler and build
  libboost-dev                       # the quantiles of the adjustment's tests (Boost.Math, header-only)
  nlohmann-json3-dev                 # the JSON result (--json)
)
# The desktop program.
packages_window=(
  qt6-base-dev                       # Widgets, PrintSupport
  qt6-svg-dev                        # the analysis window renders the residual plot (Qt SVG)
  libjpeg-dev                        # decodes the about box's picture
)
# The tests (scripts/test).
packages_tests=(
  libgtest-dev                       # unit tests
  libeigen3-dev                      # independent reference in tests
  locales                            # a German locale, to test that it never shows
  proj-bin                           # PROJ's cct applies the exported PROJ strings
  python3                            # the residual plot's SVG read back with Python's XML parser
  chromium                           # the HTML report rendered by headless Chromium
  poppler-utils                      # the printed report (PDF) read back with pdfinfo, pdftotext, pdfimages, pdftoppm
  valgrind                           # the batch program's leak check in the Release build
)
# The benchmarks (bench/).
packages_bench=(
  libbenchmark-dev                   # benchmarks
  time                               # peak memory in the benchmark scripts
)
# The fuzz targets (scripts/fuzz).
packages_fuzz=(
  clang libclang-rt-dev              # clang and its libFuzzer runtime
)

# The tests prove that a German locale (decimal comma) never shows.
german_locale=de_DE.UTF-8

# Adobe's Source Code Pro, the protocol view's font (npm package
# source-code-pro; the system's fixed-pitch font without it). $root is the
# repository.
font_file="$root/third_party/node_modules/source-code-pro/TTF/SourceCodePro-Regular.ttf"

# missing_packages PACKAGE...: prints each package that is not installed,
# one a line.
missing_packages() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# have_german_locale: whether the German locale is installed.
have_german_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'
}

# require SCRIPT ITEM...: for the scripts that only check. ITEM... are what
# is missing (none: returns); otherwise names them and exits with 1.
require() {
  local script=$1
  shift
  [ $# -gt 0 ] || return 0
  local list
  list=$(printf '%s, ' "$@")
  echo "$script: missing: ${list%, }" >&2
  echo "$script: scripts/install-deps installs them (scripts/run does too); then run $script again." >&2
  exit 1
}
