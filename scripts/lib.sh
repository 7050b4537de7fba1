# Shared helpers of the project scripts. Source it; it sets ROOT.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export ROOT

# Debian packages the builds and tests need.
QV_PACKAGES=(
    cmake ninja-build g++ clang clang-format libclang-rt-14-dev googletest libgtest-dev
    libgmock-dev libbenchmark-dev
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
    binutils-mingw-w64-x86-64 wine wine64 xvfb xauth iproute2 util-linux procps file
    python3 nsis zip unzip imagemagick p7zip-full curl time fonts-wine fonts-liberation
    busybox-static telnetd socat openssl nftables chromium lighttpd
)

# Installs whatever of QV_PACKAGES is missing; safe to run again.
qv_install_missing() {
    local missing=()
    for pkg in "${QV_PACKAGES[@]}"; do
        dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [[ $(id -u) -ne 0 ]] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq \
            "${missing[@]}" >/dev/null
    fi
}

qv_jobs() { echo "${QV_JOBS:-$(nproc)}"; }

qv_build() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$(qv_jobs)"
}
