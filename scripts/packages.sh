# Debian packages the build needs, and the one function that installs whichever of them are missing.
# Sourced by run.sh and test.sh. One package a line, so that additions from different branches merge.

KV_BUILD_PACKAGES=(
  cmake
  ninja-build
  g++
  ccache
  zlib1g-dev
  libboost-dev
  libcurl4-openssl-dev
  pkg-config
  libsdl2-dev
  libvorbis-dev
  libogg-dev
  libgl-dev
  libfreetype-dev
  libfontconfig-dev
  libstb-dev
  fonts-dejavu-core
  fonts-nanum
  espeak-ng
  xfonts-base
)
KV_TEST_PACKAGES=(
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libssl-dev
  clang
  libclang-rt-14-dev
  xvfb
  xauth
  x11-xkb-utils
  libxtst-dev
  libgl1-mesa-dri
  libspdlog-dev
  billard-gl
)

kv_install_missing() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Parallel build jobs: every core, unless KV_JOBS says otherwise (a machine shared by several builds).
kv_jobs() {
  if [ -n "${KV_JOBS:-}" ]; then echo "$KV_JOBS"; else nproc 2>/dev/null || echo 2; fi
}
