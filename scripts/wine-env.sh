# Shared by scripts/test, scripts/play and scripts/fuzz: packages, a private X display and a Wine prefix.
# Sourced, not run.

YW_PACKAGES=(cmake make g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
             wine wine64 fonts-wine xvfb libgl1-mesa-dri imagemagick
             libjpeg62-turbo-dev libpng-dev libgif-dev libwebp-dev libheif-dev libheif-examples
             libexif-dev libexpat1-dev nlohmann-json3-dev libsqlite3-dev
             libz-mingw-w64-dev
             tcl nasm dpkg-dev curl libimage-exiftool-perl nsis zip python3-minimal locales
             gstreamer1.0-plugins-base gstreamer1.0-plugins-good)

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

source "$(dirname "${BASH_SOURCE[0]}")/library-cache.sh"

# The picture libraries for MinGW, each built static from Debian's source package (patch series
# applied) into an entry of the per-user cache (scripts/library-cache.sh), and copied together
# into build/mingw-libs/install, where the windows preset looks. Only the libraries and their
# headers are built and kept: no programs, tests, examples or documentation.
YW_MINGW_LIBS="$PWD/build/mingw-libs"

# A private apt state with deb-src entries derived from the machine's own entries, so the system's
# configuration is left as it was; made and updated once per build, in YW_APT_ROOT.
yw_mingw_apt_options() {
    local root="$YW_APT_ROOT"
    YW_APT_OPTIONS=(-o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$root/sources.list.d"
                    -o "Dir::State::Lists=$root/lists" -o "Dir::Cache=$root/cache" -o "Debug::NoLocking=true")
    # As root, apt would hand the download to its _apt user, who may not write into the cache.
    if [[ $(id -u) -eq 0 ]]; then
        YW_APT_OPTIONS+=(-o "APT::Sandbox::User=root")
    fi
    [[ -f "$root/updated" ]] && return 0
    # Libraries built side by side share the state: the first updates it, the others wait for it.
    local lock status=0
    mkdir -p "$(dirname "$root")"
    exec {lock}>>"$root.lock"
    flock "$lock"
    if [[ ! -f "$root/updated" ]]; then
        yw_mingw_apt_update "$root" || status=1
    fi
    exec {lock}>&-
    return $status
}

yw_mingw_apt_update() {
    local root=$1 file
    rm -rf "$root"
    mkdir -p "$root/sources.list.d" "$root/lists/partial" "$root/cache/archives/partial"
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
    # The package cache made once here, not by each of the readers at the same time.
    apt-get "${YW_APT_OPTIONS[@]}" update -qq && apt-cache "${YW_APT_OPTIONS[@]}" gencaches -qq &&
        touch "$root/updated"
}

# The version of the source package of the installed native package $1.
yw_source_version() {
    dpkg-query -W -f='${source:Version}' "$1"
}

# Unpacks into $3/tree the source package $1 of the version installed for the native package $2;
# when the mirror no longer holds that version's files, the suite's other versions, newest first.
yw_mingw_source() {
    local source=$1 native=$2 root=$3 installed version
    installed="$(yw_source_version "$native")" || return 1
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

# Debian 13's libheif and libde265, which no signed index of ours names (bookworm's keyring lacks
# their signer's key): each .dsc's own SHA-256 is pinned beside its version, so an update is a
# reviewed two-line change, and every file is checked against the .dsc.
YW_LIBDE265_VERSION=1.0.15-1+deb13u2
YW_LIBDE265_DSC_SHA256=d85412b00d6e52e12ca5ecb5003dfd3cd48da5f26a0f7a8ee63336289ecf6393
YW_LIBHEIF_VERSION=1.19.8-1+deb13u1
YW_LIBHEIF_DSC_SHA256=906a8840e79669856631707990f50d92d7adc25516206199342b17e30271eec6

# The mirrors of the archive $1 (debian or debian-security) that the machine's apt sources name,
# then Debian's own.
yw_debian_mirrors() {
    local archive=$1 fallback=http://deb.debian.org/debian
    [[ "$archive" == debian-security ]] && fallback=http://security.debian.org/debian-security
    {
        sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | tr ' ' '\n'
        sed -n 's/^deb[[:space:]]\+\(\[[^]]*\][[:space:]]\+\)\?\([^[:space:]]\+\).*/\2/p' \
            /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null
        echo "$fallback"
    } | sed 's:/*$::' | grep -E "/$archive\$" | awk '!seen[$0]++'
}

# Unpacks into $2/tree (patch series applied) the source package of the .dsc $1 from the pool
# folder $4 of archive $3, when the .dsc's SHA-256 is $5 and each of its files matches it.
yw_pinned_source() {
    local dsc=$1 root=$2 archive=$3 pool=$4 sum=$5 mirror file
    rm -rf "$root"
    mkdir -p "$root"
    for mirror in $(yw_debian_mirrors "$archive"); do
        if curl -fsS -o "$root/$dsc" "$mirror/$pool/$dsc" 2>/dev/null &&
                echo "$sum  $root/$dsc" | sha256sum -c --quiet >/dev/null 2>&1; then
            sed -n '/^Checksums-Sha256:/,/^[^ ]/s/^ \([0-9a-f]\{64\}\) [0-9]\+ \([^ /]\+\)$/\1  \2/p' \
                "$root/$dsc" >"$root/sums"
            while read -r _ file; do
                curl -fsS -o "$root/$file" "$mirror/$pool/$file" || continue 2
            done <"$root/sums"
            # Signatures cannot be checked without the key; the pinned sum and the file sums stand
            # for them.
            (cd "$root" && [[ -s sums ]] && sha256sum -c --quiet sums >/dev/null &&
                dpkg-source -x --no-check "$dsc" tree >/dev/null) && return 0
        fi
    done
    echo "No $dsc with SHA-256 $sum found" >&2
    return 1
}

yw_libde265_source() {
    yw_pinned_source "libde265_$YW_LIBDE265_VERSION.dsc" "$1" debian pool/main/libd/libde265 "$YW_LIBDE265_DSC_SHA256"
}

# libheif hands libde265's work to a worker thread of its own; the game budgets each picture by its
# decoding thread's CPU time, so the decode stays on the caller's thread (as libheif's own
# Emscripten build does), no slower with one worker either way.
# Built as one file per eight (YW_LIBHEIF_OPTIONS), libheif compiles in a third of the time; two
# names would then meet: the tiled image's helpers share overlay.cc's names (readvec with another
# signature, which a call could silently take), and windows.h's INVALID_FILE_SIZE macro reaches
# file_layout.h's constant. Renamed here, and checked, since a new version may move them.
yw_libheif_source() {
    local tree="$1/tree/libheif"
    yw_pinned_source "libheif_$YW_LIBHEIF_VERSION.dsc" "$1" debian-security pool/updates/main/libh/libheif \
        "$YW_LIBHEIF_DSC_SHA256" &&
        sed -i 's|^  de265_start_worker_threads(decoder->ctx, 1);|  // decoded on the calling thread|' \
            "$tree/plugins/decoder_libde265.cc" &&
        ! grep -q de265_start_worker_threads "$tree/plugins/decoder_libde265.cc" &&
        sed -i 's/\b\(readvec\|writevec\)\b/\1_tiled/g' "$tree/image-items/tiled.cc" &&
        sed -i 's/\bINVALID_FILE_SIZE\b/UNKNOWN_FILE_SIZE/g' "$tree/file_layout.h" &&
        [[ "$(grep -c '\breadvec_tiled\b' "$tree/image-items/tiled.cc")" -ge 3 ]] &&
        [[ "$(grep -c UNKNOWN_FILE_SIZE "$tree/file_layout.h")" -eq 2 ]] &&
        ! grep -rqw INVALID_FILE_SIZE "$tree" --include=*.cc --include=*.h
}

# The library alone: neither its encoder nor its example programs. Its C++ files compiled eight to
# a file (no two of them share a name of their own, and none reads a macro another defines to
# other effect), which takes a third of the time.
YW_LIBDE265_OPTIONS=(-DBUILD_SHARED_LIBS=OFF -DENABLE_SDL=OFF -DENABLE_DECODER=OFF -DENABLE_ENCODER=OFF
    -DCMAKE_UNITY_BUILD=ON)
# libheif with libde265 built in and nothing else: no encoder (x265 is GPL), no AV1 or other codec,
# no plugins loaded at run time, no example programs.
YW_LIBHEIF_OPTIONS=(-DBUILD_SHARED_LIBS=OFF -DENABLE_PLUGIN_LOADING=OFF -DWITH_LIBDE265=ON
    -DWITH_LIBDE265_PLUGIN=OFF -DWITH_X265=OFF -DWITH_KVAZAAR=OFF -DWITH_OpenH264_DECODER=OFF -DWITH_DAV1D=OFF
    -DWITH_AOM_DECODER=OFF -DWITH_AOM_ENCODER=OFF -DWITH_SvtEnc=OFF -DWITH_RAV1E=OFF -DWITH_JPEG_DECODER=OFF
    -DWITH_JPEG_ENCODER=OFF -DWITH_OpenJPEG_DECODER=OFF -DWITH_OpenJPEG_ENCODER=OFF -DWITH_FFMPEG_DECODER=OFF
    -DWITH_OPENJPH_ENCODER=OFF -DWITH_UNCOMPRESSED_CODEC=OFF -DWITH_LIBSHARPYUV=OFF -DWITH_EXAMPLES=OFF
    -DWITH_GDK_PIXBUF=OFF -DWITH_HEADER_COMPRESSION=OFF -DCMAKE_DISABLE_FIND_PACKAGE_ZLIB=ON
    -DCMAKE_DISABLE_FIND_PACKAGE_Doxygen=ON -DBUILD_TESTING=OFF -DCMAKE_UNITY_BUILD=ON)

# Configures the unpacked CMake project in $1/source/tree for the prefix $2, with the libraries
# in the prefixes $3 (';' between them) within reach, and the CMake options that follow.
yw_mingw_configure() {
    local work=$1 prefix=$2 roots=$3
    shift 3
    cmake -S "$work/source/tree" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
        -DCMAKE_CROSSCOMPILING_EMULATOR= -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DCMAKE_FIND_ROOT_PATH="$roots${roots:+;}/usr/x86_64-w64-mingw32" "$@" >/dev/null
}

# Builds the configured project in $1 and installs it, keeping only headers and static archives.
yw_mingw_install() {
    cmake --build "$1/build" -j"$(nproc)" --target install >/dev/null &&
        rm -rf "$2/bin" "$2/share" "$2/lib/cmake" "$2/lib/pkgconfig" "$2/lib/libpng"
}

# The recipes, one per library: each builds in the scratch folder $1 and installs into $2; the
# libraries it builds against come after. A recipe's text is part of its entry's key.
yw_mingw_libjpeg_turbo() {
    yw_mingw_source libjpeg-turbo libjpeg62-turbo-dev "$1/source" &&
        yw_mingw_configure "$1" "$2" "" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=ON \
            -DWITH_TURBOJPEG=OFF &&
        # No switch leaves out its programs: the library is built alone and installed by hand.
        cmake --build "$1/build" -j"$(nproc)" --target jpeg-static >/dev/null &&
        mkdir -p "$2/lib" "$2/include" && cp "$1/build/libjpeg.a" "$2/lib/" &&
        cp "$1/source/tree/"{jpeglib.h,jerror.h,jmorecfg.h} "$1/build/jconfig.h" "$2/include/"
}

# Against the static zlib of Debian's MinGW package.
yw_mingw_libpng1_6() {
    yw_mingw_source libpng1.6 libpng-dev "$1/source" &&
        yw_mingw_configure "$1" "$2" "" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
            -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
            -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include &&
        yw_mingw_install "$1" "$2"
}

# giflib's Makefile builds shared libraries and programs too; its library is a few C files.
yw_mingw_giflib() {
    local tree="$1/source/tree" file
    yw_mingw_source giflib libgif-dev "$1/source" || return 1
    mkdir -p "$2/lib" "$2/include" "$1/objects"
    for file in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray; do
        x86_64-w64-mingw32-gcc-posix -O2 -c "$tree/$file.c" -o "$1/objects/$file.o" || return 1
    done
    x86_64-w64-mingw32-ar rcs "$2/lib/libgif.a" "$1/objects"/*.o && cp "$tree/gif_lib.h" "$2/include/"
}

# The decoder and its demuxer alone (the install target would build the decoder twice over).
yw_mingw_libwebp() {
    yw_mingw_source libwebp libwebp-dev "$1/source" &&
        yw_mingw_configure "$1" "$2" "" -DBUILD_SHARED_LIBS=OFF -DWEBP_BUILD_ANIM_UTILS=OFF \
            -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF \
            -DWEBP_BUILD_VWEBP=OFF -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF \
            -DWEBP_BUILD_LIBWEBPMUX=OFF &&
        cmake --build "$1/build" -j"$(nproc)" --target webp webpdemux >/dev/null &&
        mkdir -p "$2/lib" "$2/include/webp" && cp "$1/build/"{libwebp.a,libwebpdemux.a} "$2/lib/" &&
        cp "$1/source/tree/src/webp/"{decode.h,demux.h,mux_types.h,types.h} "$2/include/webp/"
}

# libexif's library alone, its C files compiled directly (Debian's source has no configure script,
# and autotools would add minutes): no translations, no verbose tag texts; the C99 <stdint.h>
# stands for the header configure makes.
yw_mingw_libexif() {
    local tree="$1/source/tree" file
    yw_mingw_source libexif libexif-dev "$1/source" || return 1
    mkdir -p "$2/lib" "$2/include/libexif" "$1/objects"
    printf '#define GETTEXT_PACKAGE "libexif-12"\n#define LOCALEDIR ""\n' >"$tree/config.h"
    echo '#include <stdint.h>' >"$tree/libexif/_stdint.h"
    for file in "$tree"/libexif/*.c "$tree"/libexif/*/*.c; do
        x86_64-w64-mingw32-gcc-posix -O2 -DNO_VERBOSE_TAG_DATA -I"$tree" -c "$file" \
            -o "$1/objects/$(basename "$file" .c).o" || return 1
    done
    x86_64-w64-mingw32-ar rcs "$2/lib/libexif.a" "$1/objects"/*.o &&
        cp "$tree"/libexif/{exif-*.h,exif.h,_stdint.h} "$2/include/libexif/"
}

# expat's library alone: no tools, examples, tests or documentation, and no DTD support, which the
# game refuses anyway (a packet with a DOCTYPE is not read).
yw_mingw_expat() {
    yw_mingw_source expat libexpat1-dev "$1/source" &&
        mv "$1/source/tree" "$1/source/whole" && mv "$1/source/whole/expat" "$1/source/tree" &&
        yw_mingw_configure "$1" "$2" "" -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF \
            -DEXPAT_BUILD_EXAMPLES=OFF -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF \
            -DEXPAT_BUILD_PKGCONFIG=OFF -DEXPAT_DTD=OFF &&
        yw_mingw_install "$1" "$2"
}

# nlohmann-json's single header as Debian's source ships it: nothing to build.
yw_mingw_nlohmann_json3() {
    yw_mingw_source nlohmann-json3 nlohmann-json3-dev "$1/source" && mkdir -p "$2/include/nlohmann" &&
        cp "$1/source/tree/single_include/nlohmann/json.hpp" "$2/include/nlohmann/"
}

yw_mingw_libde265() {
    yw_libde265_source "$1/source" && yw_mingw_configure "$1" "$2" "" "${YW_LIBDE265_OPTIONS[@]}" &&
        yw_mingw_install "$1" "$2"
}

# Static on Windows: heif.h and de265.h would otherwise declare DLL imports. $3 is libde265's prefix.
yw_mingw_libheif() {
    yw_libheif_source "$1/source" &&
        yw_mingw_configure "$1" "$2" "$3" "${YW_LIBHEIF_OPTIONS[@]}" -DLIBDE265_INCLUDE_DIR="$3/include" \
            -DLIBDE265_LIBRARY="$3/lib/libde265.a" -DCMAKE_C_FLAGS=-DLIBHEIF_STATIC_BUILD \
            "-DCMAKE_CXX_FLAGS=-DLIBHEIF_STATIC_BUILD -DLIBDE265_STATIC_BUILD" &&
        yw_mingw_install "$1" "$2"
}

# dlib, from bookworm's source package, pinned as libheif is: each file fetched is checked against
# the .dsc, whose SHA-256 is pinned beside its version. Its main tarball and Debian's own make the
# library (yw_dlib_source); its model tarball, 200 MB, gives the two models the face descriptor
# needs, unpacked once per machine (yw_dlib_models).
YW_DLIB_VERSION=19.24+dfsg-1
YW_DLIB_DSC_SHA256=846b06672e647c0f1bb6ea17ba0ffcff7aba77544c57a98aa58d0744975b01b4

# Fetches into $1 dlib's .dsc and those of its files whose names grep, with the options that
# follow, picks from its sums; each checked. The number of files picked is $2.
yw_dlib_fetch() {
    local root=$1 count=$2 dsc="dlib_$YW_DLIB_VERSION.dsc" pool=pool/main/d/dlib mirror file
    shift 2
    rm -rf "$root"
    mkdir -p "$root"
    for mirror in $(yw_debian_mirrors debian); do
        curl -fsS -o "$root/$dsc" "$mirror/$pool/${dsc//+/%2b}" 2>/dev/null &&
            echo "$YW_DLIB_DSC_SHA256  $root/$dsc" | sha256sum -c --quiet >/dev/null 2>&1 || continue
        sed -n '/^Checksums-Sha256:/,/^[^ ]/s/^ \([0-9a-f]\{64\}\) [0-9]\+ \([^ /]\+\)$/\1  \2/p' "$root/$dsc" |
            grep "$@" >"$root/sums"
        while read -r _ file; do
            curl -fsS -o "$root/$file" "$mirror/$pool/${file//+/%2b}" || continue 2
        done <"$root/sums"
        (cd "$root" && [[ "$(wc -l <sums)" -eq "$count" ]] && sha256sum -c --quiet sums >/dev/null) && return 0
    done
    echo "No $dsc with SHA-256 $YW_DLIB_DSC_SHA256 found" >&2
    return 1
}

# Unpacked: dlib's headers, the compiled files below, its licence, and the example photos with
# their boxes (examples/faces) and the face chips of five people (examples/johns), kept in the
# entry as test material.
yw_dlib_source() {
    local root=$1 patch
    yw_dlib_fetch "$root" 2 -v -- '-dlib-models\.' || return 1
    mkdir -p "$root/tree"
    tar -xjf "$root"/dlib_*.orig.tar.bz2 -C "$root/tree" --strip-components=1 --wildcards \
        '*/dlib/*' '*/LICENSE.txt' '*/examples/faces/*' '*/examples/johns/*' &&
        tar -xJf "$root"/dlib_*.debian.tar.xz -C "$root/tree" || return 1
    # The series touches only dlib's own CMake build, which is not used; applied all the same.
    while read -r patch; do
        [[ -z "$patch" || "$patch" == \#* ]] || patch -s -d "$root/tree" -p1 <"$root/tree/debian/patches/$patch" ||
            return 1
    done <"$root/tree/debian/patches/series"
}

# The face descriptor's two models, by dlib's author, who put them in the public domain (CC0,
# LICENSES/dlib-models-LICENSE.txt): the 5-point shape predictor that aligns a face and the ResNet
# that describes it. Nothing else of the tarball is unpacked (its 68-point predictor's training
# data forbids commercial use). Made once per machine as an entry of its own, which the library's
# entries of both sides copy.
YW_DLIB_MODELS=(shape_predictor_5_face_landmarks.dat dlib_face_recognition_resnet_model_v1.dat)
yw_dlib_models() {
    local work=$1 prefix=$2 model
    yw_dlib_fetch "$work/source" 1 -- '-dlib-models\.' && mkdir -p "$prefix/share/dlib-models" &&
        tar -xjf "$work/source"/dlib_*.orig-dlib-models.tar.bz2 -C "$prefix/share/dlib-models" \
            --strip-components=1 --wildcards "${YW_DLIB_MODELS[@]/#/*/}" '*/LICENSE' || return 1
    for model in "${YW_DLIB_MODELS[@]}"; do
        [[ -s "$prefix/share/dlib-models/$model" ]] || return 1
    done
    grep -qx 'CC0 1.0 Universal' "$prefix/share/dlib-models/LICENSE"
}

# The models' entry, made when missing; YW_DLIB_MODELS_ENTRY is its folder.
yw_dlib_models_entry() {
    local key
    key="$(yw_cache_key dlib-models "$YW_DLIB_VERSION" "$(declare -f yw_dlib_models yw_dlib_fetch)" \
        "$(declare -p YW_DLIB_MODELS YW_DLIB_DSC_SHA256)")"
    yw_cache_ensure data dlib-models "$YW_DLIB_VERSION" "$key" yw_dlib_models &&
        YW_DLIB_MODELS_ENTRY="$(yw_cache_entry data dlib-models "$YW_DLIB_VERSION" "$key")"
}

# What of dlib is compiled: what the frontal face detector's model needs at link time (its text is
# base64 of a compressed stream), dlib's check that every file agrees on its asserts, and the face
# descriptor's network on the CPU: its tensors' operations and the thread pool two of them (which
# the descriptor does not use) would share. Either side's threads file builds empty on the other.
# The rest of it is headers, whose templates the game's own files instantiate.
YW_DLIB_SOURCES=(cuda/cpu_dlib cuda/tensor_tools base64/base64_kernel_1 entropy_decoder/entropy_decoder_kernel_2
                 test_for_odr_violations threads/async threads/thread_pool_extension threads/threads_kernel_1
                 threads/threads_kernel_2 threads/threads_kernel_shared)

# dlib with the compiler $3 and archiver $4, the same for either side: -O3 at the x86-64 baseline
# (SSE2; no instruction a Windows 10 PC may lack; a face is described in half the time of -O2),
# its asserts and GUI off, and none of its optional libraries (BLAS, LAPACK, CUDA, image files).
# Its config.h says so to every file that includes it. A core's worth of files at once, the longest
# first; the models are unpacked meanwhile.
yw_dlib_build() {
    local work=$1 prefix=$2 cxx=$3 ar=$4 tree="$1/source/tree" file pids=() pid models
    yw_dlib_source "$work/source" || return 1
    yw_dlib_models_entry &
    models=$!
    sed -e 's/^#cmakedefine \(DLIB_DISABLE_ASSERTS\|DLIB_NO_GUI_SUPPORT\)\b.*/#define \1/' \
        -e 's|^#cmakedefine \([A-Z_0-9]*\).*|/* #undef \1 */|' "$tree/dlib/config.h.in" >"$tree/dlib/config.h"
    grep -qx '#define DLIB_DISABLE_ASSERTS' "$tree/dlib/config.h" && ! grep -q cmakedefine "$tree/dlib/config.h" ||
        return 1
    mkdir -p "$work/objects" "$prefix/lib" "$prefix/include" "$prefix/share/dlib"
    for file in "${YW_DLIB_SOURCES[@]}"; do
        if ((${#pids[@]} >= $(nproc))); then
            wait "${pids[0]}" || return 1
            pids=("${pids[@]:1}")
        fi
        "$cxx" -std=c++17 -O3 -march=x86-64 -mtune=generic -I"$tree" -c "$tree/dlib/$file.cpp" \
            -o "$work/objects/${file//\//_}.o" &
        pids+=($!)
    done
    for pid in "${pids[@]}" "$models"; do
        wait "$pid" || return 1
    done
    yw_dlib_models_entry &&
        "$ar" rcs "$prefix/lib/libdlib.a" "$work/objects"/*.o &&
        (cd "$tree" && find dlib -name '*.h' ! -path 'dlib/test/*' ! -path 'dlib/python/*' ! -path 'dlib/java/*' \
            ! -path 'dlib/matlab/*' -exec cp --parents -t "$prefix/include" {} +) &&
        cp -r "$tree/examples/faces" "$tree/examples/johns" "$tree/LICENSE.txt" "$prefix/share/dlib/" &&
        cp -r "$YW_DLIB_MODELS_ENTRY/share/dlib-models" "$prefix/share/"
}

yw_mingw_dlib() {
    yw_dlib_build "$1" "$2" x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-ar
}

# SQLite, which keeps the people found in the pictures: Debian's source is SQLite's whole tree, not
# the one-file amalgamation, which its own Tcl scripts make (tclsh; built natively, since only the
# generated C is kept). Threads: each store owns its connection and uses it on one thread at a
# time, so SQLite's own mutexes on connections are left out (2); WAL's commits are synced at
# checkpoints only (1), where a power cut loses the last commits but never damages the file; no
# extensions loaded at run time, no double-quoted strings taken for identifiers, no Tcl.
YW_SQLITE_OPTIONS=(-DSQLITE_THREADSAFE=2 -DSQLITE_DEFAULT_WAL_SYNCHRONOUS=1 -DSQLITE_OMIT_LOAD_EXTENSION
    -DSQLITE_DQS=0 -DSQLITE_DEFAULT_MEMSTATUS=0)

# SQLite with the C compiler $3 and archiver $4, the same for either side, at -O2.
yw_sqlite_build() {
    local work=$1 prefix=$2 cc=$3 ar=$4
    yw_mingw_source sqlite3 libsqlite3-dev "$work/source" || return 1
    mkdir -p "$work/amalgamation" "$prefix/lib" "$prefix/include" "$prefix/share/sqlite3"
    (cd "$work/amalgamation" && CC=gcc "$work/source/tree/configure" --disable-tcl --disable-readline \
        >/dev/null && make -j"$(nproc)" sqlite3.c >/dev/null) &&
        "$cc" -O2 "${YW_SQLITE_OPTIONS[@]}" -c "$work/amalgamation/sqlite3.c" -o "$work/sqlite3.o" &&
        "$ar" rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o" &&
        cp "$work/amalgamation/sqlite3.h" "$prefix/include/" &&
        cp "$work/source/tree/LICENSE.md" "$prefix/share/sqlite3/"
}

yw_mingw_sqlite3() {
    yw_sqlite_build "$1" "$2" x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-ar
}

# The version of library $1 and the key of its entry (YW_VERSION, YW_KEY): its recipe's text, the
# compilers and MinGW's headers and runtime, the toolchain file and what else goes into it.
yw_mingw_key() {
    local library=$1 recipe="yw_mingw_${1//[-.]/_}" also=""
    case $library in
        libjpeg-turbo) YW_VERSION="$(yw_source_version libjpeg62-turbo-dev)"
                       also="$(dpkg-query -W -f='${Version}' nasm)" ;;
        libpng1.6) YW_VERSION="$(yw_source_version libpng-dev)"
                   also="$(dpkg-query -W -f='${Version}' libz-mingw-w64-dev)" ;;
        giflib) YW_VERSION="$(yw_source_version libgif-dev)" ;;
        libwebp) YW_VERSION="$(yw_source_version libwebp-dev)" ;;
        libexif) YW_VERSION="$(yw_source_version libexif-dev)" ;;
        expat) YW_VERSION="$(yw_source_version libexpat1-dev)" ;;
        nlohmann-json3) YW_VERSION="$(yw_source_version nlohmann-json3-dev)" ;;
        libde265) YW_VERSION=$YW_LIBDE265_VERSION
                  also="$(declare -f yw_libde265_source yw_pinned_source; declare -p YW_LIBDE265_OPTIONS)" ;;
        sqlite3) YW_VERSION="$(yw_source_version libsqlite3-dev)"
                 also="$(declare -f yw_sqlite_build yw_mingw_source; declare -p YW_SQLITE_OPTIONS)
                       $(dpkg-query -W -f='${Version}' tcl)" ;;
        dlib) YW_VERSION=$YW_DLIB_VERSION
              also="$(declare -f yw_dlib_build yw_dlib_source yw_dlib_fetch yw_dlib_models yw_dlib_models_entry
                      declare -p YW_DLIB_SOURCES YW_DLIB_MODELS)" ;;
        libheif) yw_mingw_key libde265
                 also="$YW_KEY $(declare -f yw_libheif_source yw_pinned_source; declare -p YW_LIBHEIF_OPTIONS)"
                 YW_VERSION=$YW_LIBHEIF_VERSION ;;
    esac
    YW_KEY="$(yw_cache_key "$library" "$YW_VERSION" "$also" "$(declare -f "$recipe" yw_mingw_configure \
        yw_mingw_install)" "$(cat cmake/mingw-w64.cmake)" "$(dpkg-query -W -f='${Package} ${Version}\n' \
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64)")"
}

# The libraries, each followed by those it is built against (after a colon, a comma between them).
# Each builds as soon as those it needs are in the cache, beside the others, so the longest chain
# comes first. A library joins with its recipe, its case in yw_mingw_key and its line here.
YW_MINGW_LIBRARIES=(libde265 libheif:libde265 libjpeg-turbo libpng1.6 libwebp giflib libexif expat dlib
                    sqlite3 nlohmann-json3)

# The cache's entry of library $1 (built when missing or damaged); its libraries' entries follow.
yw_mingw_entry() {
    yw_mingw_key "$1"
    yw_cache_ensure mingw "$1" "$YW_VERSION" "$YW_KEY" "yw_mingw_${1//[-.]/_}" "${@:2}"
}

# Builds the entries of YW_MINGW_LIBRARIES that the cache lacks, each once those it needs are
# built, at most YW_LIBRARY_JOBS recipes at once: by default a core's worth more than the cores,
# since downloads, unpacking and configure runs leave a core idle. The entries of the libraries are
# in the associative array yw_entry_of (set by the caller). A library whose need failed fails too.
yw_mingw_build_missing() {
    local jobs=${YW_LIBRARY_JOBS:-$(($(nproc) + 1))} item library need pid status=0 apt blocked ended
    local -a waiting=("${YW_MINGW_LIBRARIES[@]}") still needs entries
    local -A running=() result=()
    apt="$(mktemp -d "${TMPDIR:-/tmp}/yorewind-apt.XXXXXX")"
    while ((${#waiting[@]} > 0 || ${#running[@]} > 0)); do
        still=()
        for item in "${waiting[@]}"; do
            library=${item%%:*}
            needs=()
            [[ "$item" == *:* ]] && IFS=, read -ra needs <<<"${item#*:}"
            entries=()
            blocked=0
            for need in "${needs[@]}"; do
                case ${result[$need]:-} in
                    0) entries+=("${yw_entry_of[$need]}") ;;
                    "") blocked=1 ;;
                    *) blocked=2 ;;
                esac
            done
            if ((blocked == 2)); then
                echo "Not building $library: a library it needs failed" >&2
                result[$library]=1
            elif ((blocked == 1 || ${#running[@]} >= jobs)); then
                still+=("$item")
            else
                YW_APT_ROOT="$apt/state" yw_mingw_entry "$library" "${entries[@]}" &
                running[$!]=$library
            fi
        done
        if ((${#running[@]} == 0)); then
            ((${#still[@]} == 0)) && break
            echo "Libraries waiting on none of the list: ${still[*]}" >&2
            status=1
            break
        fi
        waiting=("${still[@]}")
        pid=""
        wait -n -p pid "${!running[@]}" 2>/dev/null
        ended=$?
        if [[ -z "$pid" ]]; then
            # bash's wait -n no longer knows a job that ended before it was called (libraries already
            # in the cache end at once): one of those is waited for by its number, which bash keeps.
            for pid in "${!running[@]}"; do
                kill -0 "$pid" 2>/dev/null || break
            done
            wait "$pid"
            ended=$?
        fi
        result[${running[$pid]}]=$ended
        unset "running[$pid]"
    done
    rm -rf "$apt"
    for library in "${!result[@]}"; do
        ((result[$library] == 0)) || status=1
    done
    return $status
}

# Makes build/mingw-libs/install from the cache, building what it lacks.
yw_build_mingw_libs() {
    local item library entries=() whole=1
    local -A yw_entry_of=()
    for item in "${YW_MINGW_LIBRARIES[@]}"; do
        library=${item%%:*}
        yw_mingw_key "$library"
        yw_entry_of[$library]="$(yw_cache_entry mingw "$library" "$YW_VERSION" "$YW_KEY")"
        entries+=("${yw_entry_of[$library]}")
        yw_cache_sound "${yw_entry_of[$library]}" || whole=0
    done
    ((whole)) || yw_mingw_build_missing || return 1
    # What the picture libraries left in a build folder before they were kept in the cache.
    [[ -L "$YW_MINGW_LIBS" ]] ||
        rm -rf "$YW_MINGW_LIBS"/{apt,libjpeg-turbo,libpng1.6,giflib,libwebp,libde265,libheif}
    yw_cache_assemble "$YW_MINGW_LIBS/install" "${entries[@]}" || return 1
    # The marks by which older scripts know a finished library, so that a worktree of an older
    # branch sharing this folder through a link takes it as it is rather than building into it.
    for item in "${YW_MINGW_LIBRARIES[@]}"; do
        touch "$YW_MINGW_LIBS/install/.${item%%:*}"
    done
}

# The libraries the native builds (the host preset's tests, the native benchmark, the fuzz target)
# take from the cache rather than the system's packages, built as their MinGW recipes are by the
# machine's g++: dlib, whose Debian package is built with BLAS, LAPACK and image libraries the game
# leaves out, and SQLite, whose Debian package has other options than the game's. Copied into build/native-libs/install, where CMakeLists.txt looks on a native build.
YW_NATIVE_LIBRARIES=(dlib sqlite3)
YW_NATIVE_LIBS="$PWD/build/native-libs"

yw_native_dlib() {
    yw_dlib_build "$1" "$2" g++ ar
}

yw_native_sqlite3() {
    yw_sqlite_build "$1" "$2" gcc ar
}

# The version of native library $1 and the key of its entry, as yw_mingw_key has them with the
# machine's compiler in place of MinGW's.
yw_native_key() {
    yw_mingw_key "$1"
    YW_KEY="$(yw_cache_key "$YW_KEY" "$(declare -f "yw_native_${1//[-.]/_}")" \
        "$(dpkg-query -W -f='${Package} ${Version}\n' g++ binutils libstdc++6)")"
}

# Makes build/native-libs/install from the cache, building what it lacks.
yw_build_native_libs() {
    local library entries=() apt status=0
    # SQLite's source comes through the private apt state, made only if a recipe runs.
    apt="$(mktemp -d "${TMPDIR:-/tmp}/yorewind-apt.XXXXXX")"
    for library in "${YW_NATIVE_LIBRARIES[@]}"; do
        yw_native_key "$library"
        YW_APT_ROOT="$apt/state" yw_cache_ensure native "$library" "$YW_VERSION" "$YW_KEY" \
            "yw_native_${library//[-.]/_}" || status=1
        entries+=("$(yw_cache_entry native "$library" "$YW_VERSION" "$YW_KEY")")
    done
    rm -rf "$apt"
    ((status == 0)) && yw_cache_assemble "$YW_NATIVE_LIBS/install" "${entries[@]}"
}

# Starts Xvfb on a free display and exports DISPLAY; YW_XVFB_PID is its process. Xvfb picks the
# number itself (-displayfd), so servers started side by side never take the same one. The screen
# holds a 1600x1200 client at 144 DPI with its frame; YW_XVFB_SCREEN asks for another (WxHxDepth).
yw_start_xvfb() {
    local number tries
    number="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 "${YW_XVFB_SCREEN:-1920x1440x24}" -nolisten tcp 3>"$number" >/dev/null 2>&1 &
    YW_XVFB_PID=$!
    # The number comes with a line end once the server takes connections.
    for tries in $(seq 1 100); do
        if (($(wc -l <"$number") > 0)); then
            export DISPLAY=":$(tr -dc 0-9 <"$number")"
            rm -f "$number"
            return 0
        fi
        kill -0 "$YW_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$number"
    kill "$YW_XVFB_PID" 2>/dev/null || true
    YW_XVFB_PID=""
    echo "No X display: Xvfb did not start" >&2
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

# Makes anew in $1 the fresh prefix the Windows suites start from (scripts/wine-run gives each suite
# a copy of its own), on an Xvfb of its own while it is made: Wine draws the windows' frames, and
# its windows are unmanaged, since without a window manager Wine otherwise waits up to 2 s for one
# at every dialog that opens or closes. Exports YW_TEST_PREFIX, which sends ctest's Windows tests
# into copies of it.
yw_make_test_prefix() {
    local prefix=$1
    rm -rf "$prefix"
    (
        yw_start_xvfb || exit 1
        trap yw_stop_xvfb EXIT
        yw_make_prefix "$prefix" decorated &&
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null &&
            wineserver -w
    ) || return 1
    export YW_TEST_PREFIX="$prefix"
}
