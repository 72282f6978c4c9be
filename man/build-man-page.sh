#!/bin/sh
# Builds the manual page zyntoc(1): the written source with its "@COMMANDS@" line replaced
# by one subsection per subcommand, made from that subcommand's --help, and "@VERSION@"
# by the tool's version; scdoc turns the result into roff.
#   build-man-page.sh TOOL SCDOC SOURCE.scd OUTPUT
set -eu
tool=$1 scdoc=$2 source=$3 output=$4

version=$("$tool" --version | sed 's/^zyntoc //')
commands=$("$tool" --help | awk '/^Subcommands:/ { on = 1; next } on && NF == 0 { exit } on { print $1 }')
[ -n "$commands" ] || { echo "build-man-page.sh: no subcommands in '$tool --help'" >&2; exit 1; }

# One subcommand's help (a summary line, "Usage: ...", sections of "  TERM  DESCRIPTION"
# lines, paragraphs) in scdoc, which reads '*', '_' and '\' as markup.
help_to_scdoc='
function escape(text) { gsub(/\\/, "\\\\", text); gsub(/\*/, "\\*", text); gsub(/_/, "\\_", text); return text }
function term(text,   words, n, i, out, word) {   # --media FILE REQUIRED -> *--media* _FILE_ (required)
  n = split(text, words, " ")
  for (i = 1; i <= n; i++) {
    word = words[i]
    if (word == "REQUIRED") word = "(required)"
    else if (word ~ /^-/) { word = escape(word); gsub(/,/, "*, *", word); word = "*" word "*" }
    else if (word != "...") word = "_" escape(word) "_"
    out = out (i > 1 ? " " : "") word
  }
  return out
}
NR == 1 { summary = $0; next }
/^Usage: / { sub(/^Usage: /, ""); print "## " command "\n"; print "*" $1 " " $2 "* " escape(substr($0, length($1 " " $2) + 2)) "\n"; print escape(summary); next }
/^[A-Z][A-Za-z ]*:$/ && !paragraph { next }                  # "Options:", "Positionals:"
/^      / && !paragraph { sub(/^ +/, ""); print "\t" escape($0); next }   # a description on its own line
/^  [^ ]/ && !paragraph {
  line = substr($0, 3)
  if (match(line, /  +/)) { name = substr(line, 1, RSTART - 1); text = substr(line, RSTART + RLENGTH) }
  else { name = line; text = "" }
  print "\n" term(name); if (text != "") print "\t" escape(text); next
}
NF == 0 { print ""; next }
{ if (!paragraph) print ""; paragraph = 1; sub(/^[ \t]+/, ""); print escape($0) }   # scdoc indents only with tabs
'
generated=$(mktemp)
trap 'rm -f "$generated"' EXIT
for command in $commands; do
  "$tool" "$command" --help | awk -v command="$command" "$help_to_scdoc" >>"$generated"
  echo >>"$generated"
done
awk -v version="$version" -v generated="$generated" '
  $0 == "@COMMANDS@" { while ((getline line < generated) > 0) print line; next }
  { gsub(/@VERSION@/, version); print }' "$source" | "$scdoc" >"$output"
