# lib.sh -- shared by scripts/run and scripts/test: package check, configure, build
PACKAGES="build-essential cmake libgtest-dev libbenchmark-dev libfltk1.3-dev fluid libgl2ps-dev
  libglu1-mesa-dev libgl-dev xvfb xauth xfonts-base clang libclang-rt-14-dev
  xdotool x11-apps imagemagick liburdfdom-dev libpng-dev poppler-utils libxml2-utils
  dpkg-dev file desktop-file-utils man-db groff-base"
PACKAGES="$PACKAGES openbox x11-utils"  # a window manager and xprop for the desktop test
PACKAGES="$PACKAGES lintian appstream"  # the package checks (scripts/package)
PACKAGES="$PACKAGES python3-dev pybind11-dev python3-pybind11"  # the Python module (python/)
PACKAGES="$PACKAGES python3-numpy python3-pytest"  # its arrays and its tests
PACKAGES="$PACKAGES libfcl-dev"  # collision and distance queries (src/collide)
PACKAGES="$PACKAGES python3"  # the include-cycle check of the core (tests/check_cycles.py)
PACKAGES="$PACKAGES libgif-dev libavcodec-dev libavformat-dev libswscale-dev libavutil-dev pkg-config"  # animations: GIF, MP4 and WebM
TOP="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

fail() { echo "FAILED: $*" >&2; exit 1; }
step() { echo "==> $*"; }

# install only the Debian packages that are missing
install_missing() {
  local missing=""
  for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
      missing="$missing $p"
  done
  if [ -z "$missing" ]; then
    step "packages: all present"
    return
  fi
  step "installing:$missing"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q || fail "apt-get update"
  $sudo apt-get install -y -q --no-install-recommends $missing || fail "apt-get install$missing"
}

# configure_build DIR [cmake options...]
configure_build() {
  local dir="$1"; shift
  step "configuring $dir"
  cmake -S "$TOP" -B "$dir" "$@" > "$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log"; fail "cmake configure of $dir (log: $dir.configure.log)"; }
  step "building $dir"
  cmake --build "$dir" -j "$JOBS" || fail "build of $dir"
}
