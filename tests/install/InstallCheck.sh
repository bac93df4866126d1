#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop and a shell find there.
#   InstallCheck.sh BUILD_DIR PREFIX APP_ID
set -uo pipefail
build=$1 prefix=$2 id=$3 failed=0
fail() { echo "FAIL: $*"; failed=1; }
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || exit 1

icons=share/icons/hicolor
for file in bin/astrolattix bin/astrolattix-cli share/applications/$id.desktop \
  share/mime/packages/$id.xml $icons/scalable/apps/$id.svg $icons/256x256/apps/$id.png \
  share/metainfo/$id.metainfo.xml share/man/man1/astrolattix-cli.1 \
  share/bash-completion/completions/astrolattix-cli; do
  [ -s "$prefix/$file" ] || fail "$file is missing or empty"
done
# A PNG's width and height stand big-endian at bytes 16 to 23.
size=$(od -An -tu1 -j16 -N8 "$prefix/$icons/256x256/apps/$id.png" | tr -s ' ')
[ "$size" = " 0 0 1 0 0 0 1 0" ] || fail "the PNG icon is not 256 x 256: $size"

# Every subcommand the installed program lists has its section in the man page.
subcommands=$("$prefix/bin/astrolattix-cli" --help | sed -n '/^Subcommands:/,$s/^  \([a-z-]*\) .*/\1/p')
[ -n "$subcommands" ] || fail "astrolattix-cli --help lists no subcommands"
for subcommand in $subcommands; do
  grep -qx ".SS $subcommand" "$prefix/share/man/man1/astrolattix-cli.1" || fail "no man section $subcommand"
done

# The completion of a subcommand's start, an option's choices, and a subcommand's option.
source "$prefix/share/bash-completion/completions/astrolattix-cli"
completions() { COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) && _astrolattix_cli && echo "${COMPREPLY[*]}"; }
[ "$(completions astrolattix-cli ren)" = render ] || fail "ren does not complete to render"
[ "$(completions astrolattix-cli cluster --shape s)" = sphere ] || fail "--shape s gives no sphere"
[ "$(completions astrolattix-cli list --c)" = --csv ] || fail "list --c gives no --csv"
exit $failed
