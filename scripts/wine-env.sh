# Shared by scripts/test, scripts/play and scripts/fuzz: packages, a private X display and a Wine prefix.
# Sourced, not run.

YW_PACKAGES=(cmake make g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
             wine wine64 fonts-wine xvfb libgl1-mesa-dri imagemagick
             libjpeg62-turbo-dev libstb-dev nasm dpkg-dev libimage-exiftool-perl nsis zip
             clang-14 libclang-rt-14-dev)

# Installs whatever of the packages is missing; apt-get update only when something is.
yw_install_packages() {
    local missing=()
    local package
    for package in "${YW_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    ((${#missing[@]} == 0)) && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Builds libjpeg-turbo for MinGW from Debian's source package of the native one, as a static
# library with SIMD, into build/libjpeg-mingw (YW_LIBJPEG_MINGW); a finished build is reused.
YW_LIBJPEG_MINGW="$PWD/build/libjpeg-mingw"
yw_build_libjpeg_mingw() {
    local root="$YW_LIBJPEG_MINGW"
    [[ -f "$root/install/lib/libjpeg.a" ]] && return 0
    local version
    version="$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev)" || return 1
    rm -rf "$root/apt" "$root/source" "$root/build"
    mkdir -p "$root/apt/sources.list.d" "$root/apt/lists/partial" "$root/apt/cache/archives/partial" \
        "$root/source"
    # A private apt state with deb-src entries derived from the machine's own entries, so the
    # system's configuration is left as it was.
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        if [[ -e "$file" ]]; then
            sed 's/^Types:.*/Types: deb-src/' "$file" >"$root/apt/sources.list.d/$(basename "$file")"
        fi
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        if [[ -e "$file" ]]; then
            sed -n 's/^deb /deb-src /p' "$file" >"$root/apt/sources.list.d/$(basename "$file").list"
        fi
    done
    local apt_options=(-o "Dir::Etc::SourceList=/dev/null"
                       -o "Dir::Etc::SourceParts=$root/apt/sources.list.d"
                       -o "Dir::State::Lists=$root/apt/lists" -o "Dir::Cache=$root/apt/cache"
                       -o "Debug::NoLocking=true")
    # As root, apt would hand the download to its _apt user, who may not write into build/.
    if [[ $(id -u) -eq 0 ]]; then
        apt_options+=(-o "APT::Sandbox::User=root")
    fi
    apt-get "${apt_options[@]}" update -qq || return 1
    (cd "$root/source" && apt-get "${apt_options[@]}" source --download-only -qq "libjpeg-turbo=$version" &&
        dpkg-source -x --no-check libjpeg-turbo_*.dsc tree >/dev/null) || return 1
    cmake -S "$root/source/tree" -B "$root/build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_BUILD_TYPE=Release -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_SIMD=ON -DWITH_TURBOJPEG=OFF -DCMAKE_INSTALL_PREFIX="$root/install" >/dev/null || return 1
    cmake --build "$root/build" -j2 --target install >/dev/null || return 1
}

# Starts Xvfb on the first free display number and exports DISPLAY; YW_XVFB_PID is its process.
yw_start_xvfb() {
    local number
    for number in $(seq 91 140); do
        [[ -e /tmp/.X${number}-lock || -e /tmp/.X11-unix/X${number} ]] && continue
        Xvfb ":${number}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        YW_XVFB_PID=$!
        local tries
        for tries in $(seq 1 100); do
            if [[ -e /tmp/.X11-unix/X${number} ]]; then
                export DISPLAY=":${number}"
                return 0
            fi
            kill -0 "$YW_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$YW_XVFB_PID" 2>/dev/null || true
    done
    echo "No free X display for Xvfb" >&2
    return 1
}

yw_stop_xvfb() {
    if [[ -n "${YW_XVFB_PID:-}" ]]; then
        kill "$YW_XVFB_PID" 2>/dev/null || true
        wait "$YW_XVFB_PID" 2>/dev/null || true
        YW_XVFB_PID=""
    fi
}

# Makes (or reuses) the prefix in $1 and exports WINEPREFIX; Wine offers no Mono or Gecko install.
# With "decorated" as $2, Wine draws the window frames itself, for displays without a window manager.
yw_make_prefix() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        mkdir -p "$WINEPREFIX"
        # Wine's services inherit standard output: keep them off any pipe of ours.
        wineboot -i >/dev/null 2>&1
        if [[ "${2:-}" == decorated ]]; then
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
            # Wine draws the caption buttons with Marlett, which it takes only from the prefix.
            cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
        fi
        wineserver -w
    fi
}

# Runs a Wine command and prints its output, through a file rather than a pipe: Wine's services,
# started by the first command of a session, inherit its output and would hold a pipe open.
yw_wine_output() {
    local answer
    answer="$(mktemp)"
    "$@" >"$answer" 2>/dev/null </dev/null || true
    tr -d '\r' <"$answer"
    rm -f "$answer"
}
