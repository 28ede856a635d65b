# Shared by scripts/test, scripts/play and scripts/fuzz: packages, a private X display and a Wine prefix.
# Sourced, not run.

YW_PACKAGES=(cmake make g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
             wine wine64 fonts-wine xvfb libgl1-mesa-dri imagemagick
             libjpeg62-turbo-dev libpng-dev libgif-dev libwebp-dev libz-mingw-w64-dev
             nasm dpkg-dev libimage-exiftool-perl nsis zip python3-minimal locales)

# Installs whatever of the packages, and of those named as arguments (a script's own), is missing;
# apt-get update only when something is.
yw_install_packages() {
    local missing=()
    local package
    for package in "${YW_PACKAGES[@]}" "$@"; do
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

# The picture libraries for MinGW, built static from Debian's source packages (patch series
# applied) into one prefix, build/mingw-libs/install (YW_MINGW_LIBS); a finished build is reused.
YW_MINGW_LIBS="$PWD/build/mingw-libs"

# A private apt state with deb-src entries derived from the machine's own entries, so the system's
# configuration is left as it was; made and updated once per build folder.
yw_mingw_apt_options() {
    local root="$YW_MINGW_LIBS/apt"
    YW_APT_OPTIONS=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$root/sources.list.d"
                    -o "Dir::State::Lists=$root/lists" -o "Dir::Cache=$root/cache" -o "Debug::NoLocking=true")
    # As root, apt would hand the download to its _apt user, who may not write into build/.
    if [[ $(id -u) -eq 0 ]]; then
        YW_APT_OPTIONS+=(-o "APT::Sandbox::User=root")
    fi
    [[ -f "$root/updated" ]] && return 0
    rm -rf "$root"
    mkdir -p "$root/sources.list.d" "$root/lists/partial" "$root/cache/archives/partial"
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        if [[ -e "$file" ]]; then
            sed 's/^Types:.*/Types: deb-src/' "$file" >"$root/sources.list.d/$(basename "$file")"
        fi
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        if [[ -e "$file" ]]; then
            sed -n 's/^deb /deb-src /p' "$file" >"$root/sources.list.d/$(basename "$file").list"
        fi
    done
    apt-get "${YW_APT_OPTIONS[@]}" update -qq && touch "$root/updated"
}

# Unpacks into $YW_MINGW_LIBS/<source>/tree the source package $1 of the version installed for the
# native package $2; when the mirror no longer holds that version's files, the suite's other
# versions, newest first.
yw_mingw_source() {
    local source=$1 native=$2 installed version
    local root="$YW_MINGW_LIBS/$source"
    installed="$(dpkg-query -W -f='${source:Version}' "$native")" || return 1
    yw_mingw_apt_options || return 1
    rm -rf "$root"
    mkdir -p "$root"
    for version in "$installed" $(apt-cache "${YW_APT_OPTIONS[@]}" showsrc "$source" 2>/dev/null |
                                  sed -n 's/^Version: //p' | sort -Vru | grep -vxF "$installed"); do
        if (cd "$root" && apt-get "${YW_APT_OPTIONS[@]}" source --download-only -qq "$source=$version" \
                >/dev/null 2>&1); then
            [[ "$version" == "$installed" ]] || echo "No source of $source $installed here: building $version"
            (cd "$root" && dpkg-source -x --no-check "$source"_*.dsc tree >/dev/null)
            return
        fi
        rm -rf "${root:?}"/*
    done
    echo "No source of $source found" >&2
    return 1
}

# Configures, builds and installs the unpacked CMake project of $1 into the shared prefix.
yw_mingw_cmake() {
    local root="$YW_MINGW_LIBS/$1"
    shift
    cmake -S "$root/tree" -B "$root/build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$YW_MINGW_LIBS/install" \
        -DCMAKE_FIND_ROOT_PATH="$YW_MINGW_LIBS/install;/usr/x86_64-w64-mingw32" "$@" >/dev/null || return 1
    cmake --build "$root/build" -j2 --target install >/dev/null
}

# giflib's Makefile builds shared libraries and tools too; its library is a few C files.
yw_mingw_giflib() {
    local tree="$YW_MINGW_LIBS/giflib/tree" install="$YW_MINGW_LIBS/install" file
    mkdir -p "$install/lib" "$install/include" "$YW_MINGW_LIBS/giflib/objects"
    for file in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray; do
        x86_64-w64-mingw32-gcc-posix -O2 -c "$tree/$file.c" -o "$YW_MINGW_LIBS/giflib/objects/$file.o" || return 1
    done
    rm -f "$install/lib/libgif.a"
    x86_64-w64-mingw32-ar rcs "$install/lib/libgif.a" "$YW_MINGW_LIBS/giflib/objects"/*.o &&
        cp "$tree/gif_lib.h" "$install/include/"
}

# Builds each library once; a stamp in the prefix marks a finished one.
yw_build_mingw_libs() {
    local install="$YW_MINGW_LIBS/install"
    mkdir -p "$install"
    if [[ ! -f "$install/.libjpeg-turbo" ]]; then
        yw_mingw_source libjpeg-turbo libjpeg62-turbo-dev &&
            yw_mingw_cmake libjpeg-turbo -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON \
                -DWITH_TURBOJPEG=OFF && touch "$install/.libjpeg-turbo" || return 1
    fi
    if [[ ! -f "$install/.libpng1.6" ]]; then
        # zlib from Debian's MinGW package, the static one.
        yw_mingw_source libpng1.6 libpng-dev &&
            yw_mingw_cmake libpng1.6 -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
                -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
                -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include && touch "$install/.libpng1.6" || return 1
    fi
    if [[ ! -f "$install/.giflib" ]]; then
        yw_mingw_source giflib libgif-dev && yw_mingw_giflib && touch "$install/.giflib" || return 1
    fi
    if [[ ! -f "$install/.libwebp" ]]; then
        yw_mingw_source libwebp libwebp-dev &&
            yw_mingw_cmake libwebp -DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF \
                -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF \
                -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF \
                -DWEBP_BUILD_EXTRAS=OFF -DWEBP_BUILD_LIBWEBPMUX=OFF && touch "$install/.libwebp" || return 1
    fi
    # Sources, objects and apt's index of sources are not needed once all is installed.
    rm -rf "$YW_MINGW_LIBS"/{apt,libjpeg-turbo,libpng1.6,giflib,libwebp}
}

# Starts Xvfb on the first free display number and exports DISPLAY; YW_XVFB_PID is its process. The
# screen holds a 1600x1200 client at 144 DPI with its frame.
yw_start_xvfb() {
    local number
    for number in $(seq 91 140); do
        [[ -e /tmp/.X${number}-lock || -e /tmp/.X11-unix/X${number} ]] && continue
        Xvfb ":${number}" -screen 0 1920x1440x24 -nolisten tcp >/dev/null 2>&1 &
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
        # Windows' own default preferences, where keyboard cues hide until a key is used (Wine
        # shows them always).
        wine reg add 'HKCU\Control Panel\Desktop' /v UserPreferencesMask /t REG_BINARY \
            /d 9e1e078012000000 /f >/dev/null 2>&1
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
