# Shared by ./check and ./play: installs the Debian packages that are missing, configures and
# builds. Sourced, not run.

KS_PACKAGES="cmake g++ make pkg-config libsfml-dev libopenal-dev libgtest-dev libx11-dev xvfb xauth xdotool
  x11-utils libxtst-dev libgl1-mesa-dri fonts-dejavu-core doxygen clang libclang-rt-14-dev
  libncurses-dev tmux"

ks_install_missing() {
  local missing=()
  for pkg in $KS_PACKAGES; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "Missing packages (${missing[*]}) and no root rights to install them." >&2
      return 1
    fi
  fi
  $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# ks_build DIR [cmake options...]: configure and build into DIR.
ks_build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" "$@" >"$dir.configure.log" 2>&1 || {
    cat "$dir.configure.log"
    return 1
  }
  cmake --build "$dir" -j "$(nproc)"
}

# The fuzz build's folder and options (clang, libFuzzer), shared by tools/fuzz.sh and ./check.
KS_FUZZ_BUILD=(build-fuzz -DKESTLE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON)
