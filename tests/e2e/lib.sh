# Helpers for running TessalySetup.exe under Wine, sourced by the scenarios.
# Each scenario gets a throwaway 64-bit prefix copied from a template made once.

export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8  # Windows paths with non-ASCII characters pass through the command line intact

: "${TESSALY_EXE:?TESSALY_EXE names the built TessalySetup.exe}"
: "${WINE_TEMPLATE:?WINE_TEMPLATE names the template prefix}"

PRODUCT_DIR="drive_c/Program Files (x86)/Velstrom/Tessaly"
PRODUCT_CODE="{6F3B2A91-4C1D-4E7A-9B52-0D8E5C7A1F34}"

. "$(dirname "${BASH_SOURCE[0]}")/../check.sh"

# Makes the template prefix unless it is there already; what Wine said stays
# in $WINE_TEMPLATE.log, and its end is shown when that fails.
make_template() {
    [ -f "$WINE_TEMPLATE/.complete" ] && return 0
    rm -rf "$WINE_TEMPLATE" "$WINE_TEMPLATE.part"
    (
        export WINEPREFIX=$WINE_TEMPLATE.part
        wineboot -i || exit 1
        # A program that crashes just ends: Wine starts no debugger for it,
        # which would never finish under emulation.
        for view in 32 64; do
            wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f \
                "/reg:$view" || exit 1
        done
        wineserver -w
    ) >"$WINE_TEMPLATE.log" 2>&1 || {
        echo "could not make the Wine prefix $WINE_TEMPLATE; the end of what Wine said ($WINE_TEMPLATE.log):" >&2
        tail -n 5 "$WINE_TEMPLATE.log" | sed 's/^/  /' >&2
        return 1
    }
    touch "$WINE_TEMPLATE.part/.complete"
    mv "$WINE_TEMPLATE.part" "$WINE_TEMPLATE"
}

# Wine only reads the program images of a prefix (DLLs and EXEs); a scenario's
# copy shares them with the template through hard links and copies the rest,
# which Wine may rewrite in place. A shared file that was written anyway would
# change the template for every later scenario: that stops the run.
SHARED_FILES=(-iname '*.dll' -o -iname '*.exe')

# Fails, naming them, when files of the template changed since it was made.
template_is_pristine() {
    local changed
    changed=$(find "$WINE_TEMPLATE" -type f -newer "$WINE_TEMPLATE/.complete" | head -n 3)
    [ -z "$changed" ] && return 0
    echo "the template prefix $WINE_TEMPLATE was changed through a file that a scenario shares with it:" \
        "$changed; remove the template to make it anew" >&2
    return 1
}

# Makes a fresh prefix from the template and exports WINEPREFIX for it.
new_prefix() {
    template_is_pristine || exit 1
    export WINEPREFIX
    WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/tessaly-e2e.XXXXXX")
    cp -a --link "$WINE_TEMPLATE/." "$WINEPREFIX/"
    (cd "$WINE_TEMPLATE" && find . -type f -not \( "${SHARED_FILES[@]}" \) -print0 |
        xargs -0 cp -a --parents --remove-destination -t "$WINEPREFIX")
    trap drop_prefix EXIT
}

drop_prefix() {
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
    template_is_pristine || exit 1
}

# The prefix's temporary folder, where the package is extracted.
temp_folder() {
    local user
    user=$(ls "$WINEPREFIX/drive_c/users" | grep -v '^Public$' | head -n 1)
    echo "$WINEPREFIX/drive_c/users/$user/Temp"
}

# Runs the bootstrapper; its exit code lands in $exit_code.
run_setup() {
    exit_code=0
    wine "$TESSALY_EXE" "$@" || exit_code=$?
}

# Runs the bootstrapper under Wine's call trace. The calls that the executable
# itself made (return addresses inside its image, at 0x400000) land in
# $own_calls, one a line: Module.Function(arguments).
run_setup_traced() {
    WINEDEBUG=+relay run_setup "$@" 2>"$WINEPREFIX/relay.log"
    own_calls=$(grep -E '^[0-9a-f]+:Call .* ret=004[0-9a-f]{5}$' "$WINEPREFIX/relay.log" |
        sed -E 's/^[0-9a-f]+:Call ([A-Za-z0-9_.]+)\((.*)\) ret=.*/\1(\2)/')
}

# Whether the executable asked the shell to open anything.
shell_was_asked() { grep -q '^shell32\.ShellExecuteA(' <<<"$own_calls"; }

# Waits, up to $1 seconds, for the product to be installed: its files in place
# and its uninstall entry in the 32-bit registry view.
wait_installed() {
    local deadline=$((SECONDS + $1))
    while [ $SECONDS -lt $deadline ]; do
        if [ -f "$WINEPREFIX/$PRODUCT_DIR/ReadMe.txt" ] &&
            wine reg query "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$PRODUCT_CODE" /reg:32 \
                >/dev/null 2>&1; then
            return 0
        fi
        sleep 1
    done
    return 1
}

# Points TEMP and TMP of the prefix's user at the Windows folder $1.
set_temp_folder() {
    wine reg add 'HKCU\Environment' /v TEMP /d "$1" /f >/dev/null 2>&1 &&
        wine reg add 'HKCU\Environment' /v TMP /d "$1" /f >/dev/null 2>&1
}

# Runs the bootstrapper in a fresh prefix whose TEMP and TMP name the Windows
# folder $1 (made first), and checks that it installs the product from there.
check_installs_from_temp_folder() {
    : "${TESSALY_PACKAGE:?}"
    new_prefix
    set_temp_folder "$1"
    mkdir -p "$(unix_path "$1")"
    run_setup
    check "exit code is 0 (was $exit_code)" [ "$exit_code" -eq 0 ]
    check "the package is written into that folder, byte for byte" \
        cmp -s "$TESSALY_PACKAGE" "$(unix_path "$1")/VelstromTessalySetup.msi"
    check "the product is installed" wait_installed 60
}

# Makes the shell open packages with the program $1, one that does nothing, as
# C:\windows\noop.exe: no installer runs.
open_packages_with_noop() {
    cp "$1" "$WINEPREFIX/drive_c/windows/noop.exe"
    wine reg add 'HKCR\Msi.Package\shell\Open\command' /ve /d 'C:\windows\noop.exe "%1"' /f >/dev/null 2>&1
}

# The Unix path of a Windows path on drive C:.
unix_path() {
    local rest=${1#[Cc]:\\}
    echo "$WINEPREFIX/drive_c/${rest//\\//}"
}

# Whether the product is installed once every process of the prefix has ended.
installed_after_all_ended() {
    wineserver -w
    [ -f "$WINEPREFIX/$PRODUCT_DIR/ReadMe.txt" ]
}
