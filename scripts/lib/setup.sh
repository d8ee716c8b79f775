# Shared by scripts/test and scripts/run: install what is missing, configure, build.
# shellcheck shell=bash

readonly REQUIRED_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev
  qt6-base-dev qt6-serialport-dev
)
readonly BUILD_DIR="${HVT_BUILD_DIR:-build}"

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

ensure_packages() {
  step "Checking packages"
  local missing=()
  for package in "${REQUIRED_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  if [[ ${#missing[@]} -eq 0 ]]; then
    echo "all ${#REQUIRED_PACKAGES[@]} packages present"
    return
  fi
  command -v apt-get >/dev/null || fail "missing packages (${missing[*]}) and no apt-get to install them"
  echo "installing: ${missing[*]}"
  as_root apt-get update -qq || fail "apt-get update failed"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null \
    || fail "could not install: ${missing[*]}"
}

configure_and_build() {
  step "Configuring ($BUILD_DIR)"
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null \
    || fail "cmake could not configure the project (see the messages above)"
  step "Building"
  cmake --build "$BUILD_DIR" -j "$(nproc)" || fail "the build failed (see the compiler messages above)"
}
