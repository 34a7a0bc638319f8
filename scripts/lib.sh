# Sourced by every script: the Debian packages the project needs, and the
# configure-and-build step. Sets $root to the checkout the script lives in.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

pondera_packages=(
  cmake ninja-build g++ pkg-config python3
  qt6-base-dev qt6-base-dev-tools libgl-dev libicu-dev libuchardet-dev libfontconfig-dev libxcb1-dev libacl1-dev libattr1-dev
  googletest libgtest-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-noto-cjk
)
# What making the Debian package (CPack's dpkg-shlibdeps, which CPack runs
# only where `file` is) and checking it and the installed files
# (scripts/check-install) need besides; xdg-utils and gio (libglib2.0-bin)
# tell which program a desktop opens a file type with.
package_check_packages=(dpkg-dev file desktop-file-utils appstream man-db groff-base xdg-utils libglib2.0-bin)

# ensure_packages [extra package...]: installs whichever are missing, once; a
# second run finds them all and installs nothing.
ensure_packages() {
  local wanted=("${pondera_packages[@]}" "$(liberation_package)" "$@") missing=() pkg
  for pkg in "${wanted[@]}"; do
    is_installed "$pkg" || missing+=("$pkg")
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

# is_installed PACKAGE; has_candidate PACKAGE: whether apt could install it.
# grep reads to the end: under pipefail, a writer cut off by an early exit
# of grep -q would fail the test.
is_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep 'install ok installed' >/dev/null
}
has_candidate() {
  apt-cache policy "$1" 2>/dev/null | grep -E '^  Candidate: [^(]' >/dev/null
}

# liberation_package: the package of the Liberation 2 fonts (the design's
# Arial): fonts-liberation where it has reached version 2 and
# fonts-liberation2 has become a mere pointer to it, else fonts-liberation2
# beside the version 1 fonts-liberation. The package's Depends says the same.
liberation_package() {
  local version=
  if is_installed fonts-liberation; then
    version=$(dpkg-query -W -f='${Version}' fonts-liberation)
  elif ! is_installed fonts-liberation2; then
    version=$(apt-cache policy fonts-liberation 2>/dev/null | sed -n 's/^  Candidate: \([^(].*\)$/\1/p')
  fi
  if [ -n "$version" ] && dpkg --compare-versions "$version" ge 1:2; then
    echo fonts-liberation
  else
    echo fonts-liberation2
  fi
}

# clang_version: the N of the clang-N and libclang-rt-N-dev the fuzzers use,
# as the archive offers them: each release carries its own compilers, so the
# name is never written down. The newest pair installed already, else the
# clang the unversioned `clang` package stands for, else the newest clang-N,
# provided its compiler-rt (the libFuzzer and sanitizer runtimes) is to be had.
clang_version() {
  local n
  for n in $(dpkg-query -W -f='${Package}\n' 'libclang-rt-*-dev' 2>/dev/null |
    sed -n 's/^libclang-rt-\([0-9][0-9]*\)-dev$/\1/p' | sort -rn); do
    if is_installed "libclang-rt-$n-dev" && is_installed "clang-$n"; then
      echo "$n"
      return 0
    fi
  done
  if ! has_candidate clang; then
    # A fresh system may have no package lists yet.
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq >&2 || return 1
  fi
  for n in $(
    apt-cache depends clang 2>/dev/null | sed -n 's/^  Depends: clang-\([0-9][0-9]*\)$/\1/p'
    apt-cache pkgnames clang- 2>/dev/null | sed -n 's/^clang-\([0-9][0-9]*\)$/\1/p' | sort -rn
  ); do
    if has_candidate "clang-$n" && has_candidate "libclang-rt-$n-dev"; then
      echo "$n"
      return 0
    fi
  done
  echo "apt offers no clang-N with its libclang-rt-N-dev; the fuzzers need both" >&2
  return 1
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
