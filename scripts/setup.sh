# Sourced by ./run and ./test: installs the Debian packages the build needs and builds
# one configuration. Usage: ax_install_packages; ax_build DIR BUILD_TYPE [cmake options...]

ax_packages=(
  cmake g++ ninja-build pkg-config ccache
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
  desktop-file-utils appstream dpkg-dev
  libcli11-dev nlohmann-json3-dev libfmt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3-jsonschema
)

ax_install_packages() {
  local missing=() p
  for p in "${ax_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

ax_build() {
  local dir=$1 type=$2
  shift 2
  # ccache keeps the two builds (and later ones) from compiling unchanged sources again.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  # ccache caches sources built with a precompiled header only when told these are safe.
  export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "$@"
  cmake --build "$dir" --parallel "$(nproc)"
}
