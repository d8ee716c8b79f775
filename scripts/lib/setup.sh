# Shared by scripts/test and scripts/run: install what is missing, configure, build.
# shellcheck shell=bash

readonly REQUIRED_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-serialport-dev qt6-translations-l10n
  dpkg-dev groff-base
)
readonly BUILD_DIR="${HVT_BUILD_DIR:-build}"
readonly SANITIZER_BUILD_DIR="${HVT_SANITIZER_BUILD_DIR:-build-asan}"

step() { printf '\n==> %s\n' "$*"; }
fail() { printf '\nerror: %s\n' "$*" >&2; exit 1; }

as_root() {
  if [[ $(id -u) -eq 0 ]]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    fail "installing packages needs root: run as root or install sudo"
  fi
}

# Installs the packages named (by default the ones every build needs) that are missing.
ensure_packages() {
  local packages=("$@")
  [[ ${#packages[@]} -gt 0 ]] || packages=("${REQUIRED_PACKAGES[@]}")
  step "Checking packages"
  local missing=()
  for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  if [[ ${#missing[@]} -eq 0 ]]; then
    echo "all ${#packages[@]} packages present"
    return
  fi
  command -v apt-get >/dev/null || fail "missing packages (${missing[*]}) and no apt-get to install them"
  echo "installing: ${missing[*]}"
  as_root apt-get update -qq || fail "apt-get update failed"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null \
    || fail "could not install: ${missing[*]}"
}

# The one configuration scripts/run and scripts/test share, so that running one after the other
# rebuilds nothing. ccache, when installed, keeps objects across build folders and clean clones.
readonly BUILD_OPTIONS=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHVT_WARNINGS_AS_ERRORS=ON)

launcher_options() {
  if command -v ccache >/dev/null; then echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"; fi
}

# configure DIR [CMAKE OPTIONS...]
configure() {
  local dir="$1"
  shift
  step "Configuring ($dir)"
  # shellcheck disable=SC2046
  cmake -S . -B "$dir" "${BUILD_OPTIONS[@]}" $(launcher_options) "$@" >/dev/null \
    || fail "cmake could not configure the project (see the messages above)"
}

# build DIR [TARGET...]: the targets named, or everything (tests, fuzzers, benchmarks) without.
build() {
  local dir="$1"
  shift
  local targets=()
  [[ $# -gt 0 ]] && targets=(--target "$@")
  step "Building ${*:-everything} ($dir)"
  cmake --build "$dir" -j "$(nproc)" "${targets[@]}" || fail "the build failed (see the compiler messages above)"
}

# configure_and_build DIR [CMAKE OPTIONS...]: everything.
configure_and_build() {
  configure "$@"
  build "$1"
}
