# Sourced by every script: the Debian packages the project needs, and the
# configure-and-build step. Sets $root to the checkout the script lives in.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

pondera_packages=(
  cmake ninja-build g++ pkg-config python3
  qt6-base-dev qt6-base-dev-tools libgl-dev libicu-dev libuchardet-dev libfontconfig-dev
  googletest libgtest-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-noto-cjk fonts-liberation2
)
# What making the Debian package (CPack's dpkg-shlibdeps) and checking it and
# the installed files (scripts/check-install) need besides; xdg-utils and gio
# (libglib2.0-bin) tell which program a desktop opens a file type with.
package_check_packages=(dpkg-dev desktop-file-utils appstream man-db groff-base xdg-utils libglib2.0-bin)

# ensure_packages [extra package...]: installs whichever are missing, once; a
# second run finds them all and installs nothing.
ensure_packages() {
  local wanted=("${pondera_packages[@]}" "$@") missing=() pkg
  for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "These Debian packages are missing and installing them needs root: ${missing[*]}" >&2
      return 1
    fi
  fi
  "${sudo[@]}" apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
}

# pondera_build DIR TYPE [cmake option...] [-- target...]: configures DIR as a
# Ninja build of TYPE (Release, Debug, ...) and builds it, or only the targets.
pondera_build() {
  local dir=$1 type=$2 options=() targets=()
  shift 2
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  for target in "$@"; do targets+=(--target "$target"); done
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${options[@]}" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
}
