#!/usr/bin/env bash
# checkInstall.sh CMAKE BUILD VERSION: installs BUILD into a temporary prefix and checks what landed.
set -euo pipefail
cmake=$1 build=$2 version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; status=1; }
status=0

"$cmake" --install "$build" --prefix "$work/usr" >/dev/null
cd "$work/usr"
for f in bin/verdalune bin/verdalune-helper bin/verdalune-cli share/applications/com.pellowick.verdalune.desktop \
    share/metainfo/com.pellowick.verdalune.metainfo.xml share/icons/hicolor/scalable/apps/com.pellowick.verdalune.svg \
    share/man/man1/verdalune.1 share/man/man1/verdalune-cli.1 share/man/man1/verdalune-helper.1 \
    share/bash-completion/completions/verdalune-cli share/zsh/vendor-completions/_verdalune-cli \
    share/fish/vendor_completions.d/verdalune-cli.fish; do
  [[ -f $f ]] || fail "$f was not installed"
done

desktop-file-validate share/applications/com.pellowick.verdalune.desktop || fail "desktop entry"
# No licence has been chosen for the metadata, and the validator allows no exemption: until one is, that is
# the one issue let through.
issues=$(appstreamcli validate --no-net share/metainfo/com.pellowick.verdalune.metainfo.xml |
  grep -E '^[EWI]:' | grep -v ':~: metadata-license-missing$' || true)
[[ -z $issues ]] || fail "metainfo: $issues"
grep -q "<release version=\"$version\"" share/metainfo/*.xml || fail "metainfo release is not $version"
for page in share/man/man1/*.1; do
  warnings=$(groff -man -ww -z "$page" 2>&1)
  [[ -z $warnings ]] || fail "$page: $warnings"
done

# The programs' information requests print and do nothing else: no files under a home of their own, no bus.
home=$work/home
mkdir "$home"
for run in "verdalune --version|verdalune $version" "verdalune-helper --version|verdalune-helper $version" \
    "verdalune-cli --version|verdalune-cli $version" "verdalune --help|Usage: verdalune" \
    "verdalune-helper --help|Usage: verdalune-helper" "verdalune-cli --help|usage: verdalune-cli parse" \
    "verdalune-cli list --help|usage: verdalune-cli list [--from ISO]" \
    "verdalune-cli render --from x --help|usage: verdalune-cli render --from ISO"; do
  command=${run%%|*} expected=${run#*|}
  output=$(env -i HOME="$home" XDG_RUNTIME_DIR="$home" PATH=/usr/bin:/bin bin/$command 2>&1) ||
    fail "$command exited $?"
  [[ $output == "$expected"* ]] || fail "$command printed: $output"
done
[[ -z $(ls -A "$home") ]] || fail "the information requests wrote $(find "$home" -mindepth 1)"

# Completion of a partial command line: words, then the replies expected (in order).
completion=share/bash-completion/completions/verdalune-cli
for case in "verdalune-cli li|list" "verdalune-cli re|remove render" "verdalune-cli list --|--from --to --json --quiet --help" \
    "verdalune-cli render --scale l|log linear" "verdalune-cli remove x --span |0 1 2" "verdalune-cli add --calendar |" \
    "verdalune-cli nope --|"; do
  words=${case%%|*} expected=${case#*|}
  replies=$(bash -c 'source "$1"; read -ra COMP_WORDS <<<"$2"; [[ $2 == *" " ]] && COMP_WORDS+=("");
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _verdalune_cli; echo "${COMPREPLY[*]}"' _ "$completion" "$words")
  [[ $replies == "$expected" ]] || fail "completing '$words' gave '$replies', not '$expected'"
done
if command -v zsh >/dev/null; then zsh -n share/zsh/vendor-completions/_verdalune-cli || fail "zsh syntax"; fi
if command -v fish >/dev/null; then fish -n share/fish/vendor_completions.d/verdalune-cli.fish || fail "fish syntax"; fi
exit $status
