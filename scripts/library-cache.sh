# The per-user cache of built libraries, shared by every clone on the machine (CI's too), and the
# prefixes a build folder takes from it. Sourced by scripts/wine-env.sh, not run.
#
#   ${XDG_CACHE_HOME:-$HOME/.cache}/yorewind/<kind>/<library>-<version>-<key>/{include,lib,MANIFEST}
#
# The key hashes all that makes an entry (version, recipe, toolchain, the keys of the libraries it
# builds against), so a change of any of them builds a new entry beside the old one. An entry is
# built in a scratch folder, its MANIFEST (each file's SHA-256) written last, and renamed into
# place in one step; one without a MANIFEST, or whose files differ from it, is built again, never
# used. A lock per library makes a clone wait for another building the same one.
YW_CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/yorewind"

# The key of what the arguments say: 16 hex digits of their SHA-256.
yw_cache_key() {
    printf '%s\n' "$@" | sha256sum | cut -c1-16
}

# The folder of the entry of kind $1, library $2, version $3 (an epoch's colon would trouble make)
# and key $4.
yw_cache_entry() {
    echo "$YW_CACHE/$1/$2-${3//:/_}-$4"
}

# The files of the folder $1 that its MANIFEST covers, sorted: all but the MANIFEST and the marks
# kept beside it (names beginning with a dot at the top).
yw_cache_files() {
    (cd "$1" && find . \( -type f -o -type l \) ! -path './.*' ! -name MANIFEST | LC_ALL=C sort |
        sed 's|^\./||')
}

# Whether the folder $1 holds exactly the files its MANIFEST names, each as it was written.
yw_cache_sound() {
    [[ -s "$1/MANIFEST" ]] &&
        (cd "$1" && sha256sum --check --strict --quiet MANIFEST >/dev/null 2>&1) &&
        [[ "$(yw_cache_files "$1")" == "$(sed 's/^[0-9a-f]*  //' "$1/MANIFEST")" ]]
}

# Writes the MANIFEST of the folder $1 from its files.
yw_cache_manifest() {
    yw_cache_files "$1" | (cd "$1" && xargs -r -d '\n' sha256sum) >"$1/.MANIFEST.new" &&
        mv "$1/.MANIFEST.new" "$1/MANIFEST"
}

# yw_cache_ensure KIND LIBRARY VERSION KEY RECIPE [ARGUMENTS]: makes the entry sound, by
# `RECIPE WORK PREFIX [ARGUMENTS]` when it is missing or damaged; the recipe builds in the scratch
# folder WORK and installs into PREFIX.
yw_cache_ensure() {
    local root="$YW_CACHE/$1" library=$2 entry recipe=$5 lock work status=0 start=$SECONDS
    entry="$(yw_cache_entry "$1" "$2" "$3" "$4")"
    shift 5
    mkdir -p "$root"
    exec {lock}>"$root/.$library.lock"
    flock "$lock"
    if ! yw_cache_sound "$entry"; then
        # Whatever a stopped build left, and an entry that is not whole, goes.
        rm -rf "$root/.building-$library-"* "$entry"
        echo "Building $(basename "$entry") into $root"
        work="$(mktemp -d "$root/.building-$library-XXXXXX")"
        # The libraries' own warnings are not ours to mend: their output is shown only on a failure.
        if "$recipe" "$work" "$work/entry" "$@" >"$work/log" 2>&1 && yw_cache_manifest "$work/entry" &&
                mv -T "$work/entry" "$entry"; then
            echo "Built $library in $((SECONDS - start)) s"
        else
            tail -n 40 "$work/log" >&2
            echo "Building $library failed" >&2
            status=1
        fi
        rm -rf "$work"
    fi
    exec {lock}>&-
    return $status
}

# yw_cache_assemble PREFIX ENTRY...: makes PREFIX one folder of the entries' files, copied, unless
# it already is exactly that; a build folder then no longer depends on the cache. The copy is made
# beside and renamed into place. A symbolic link at PREFIX's parent (a worktree sharing another's
# libraries) is replaced by a folder of its own.
yw_cache_assemble() {
    local prefix=$1 parent entry
    shift
    parent="$(dirname "$prefix")"
    if [[ -f "$prefix/.entries" && "$(cat "$prefix/.entries")" == "$(printf '%s\n' "$@")" ]] &&
            yw_cache_sound "$prefix"; then
        return 0
    fi
    [[ -L "$parent" ]] && rm "$parent"
    mkdir -p "$parent"
    rm -rf "$prefix.new"
    mkdir "$prefix.new"
    for entry in "$@"; do
        cp -a "$entry/." "$prefix.new/" || return 1
    done
    rm "$prefix.new/MANIFEST"
    yw_cache_manifest "$prefix.new" && printf '%s\n' "$@" >"$prefix.new/.entries" &&
        rm -rf "$prefix" && mv -T "$prefix.new" "$prefix"
}
