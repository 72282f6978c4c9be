#!/usr/bin/env bash
# Checks the layering of the source folders against the "May use" column of the table in
# ROOT/README.md whose header names that column: every #include in a folder's sources must
# name a header of its own folder, of include/ (seen by every folder) or of a folder its row
# names. "all of the above" allows every folder of the rows above; a folder that may use
# "every folder" is not checked. A header is looked for beside the including file first,
# then in include/ and in the table's folders, in table order; an include found nowhere in
# the tree (the standard library, a third-party header) is not a layering matter.
# Prints each forbidden include as FILE:LINE and fails when there is one.
#   check-layers.sh ROOT
set -euo pipefail
root=$(cd "${1:?usage: check-layers.sh ROOT}" && pwd)

# One line per folder row: FOLDER, then the folders it may use, or "*" for every folder.
rules=$(awk -F'|' '
  /^\|/ && /\| *May use *\| *$/ { table = 1; next }
  table && !/^\|/ { table = 0 }
  table && $2 ~ /^ *`[^`]+\/` *$/ {
    folder = $2; gsub(/[ `\/]/, "", folder)
    use = $(NF - 1); allowed = ""
    if (use ~ /every folder/) allowed = "*"
    else if (use ~ /all of the above/) allowed = above
    while (match(use, /`[^`]+\/`/)) {
      allowed = allowed " " substr(use, RSTART + 1, RLENGTH - 3)
      use = substr(use, RSTART + RLENGTH)
    }
    print folder " " allowed
    above = above " " folder
  }' "$root/README.md")
[[ -n $rules ]] || { echo "layers: no table with a \"May use\" column in README.md" >&2; exit 2; }
folders=$(awk '{ print $1 }' <<<"$rules")

# Sets used to the folder of the tree that holds the header an include names, or to nothing.
declare -A found
find_header() {  # INCLUDING_FILE HEADER
  local dir=${1%/*} key path candidate candidates
  key="$dir|$2"
  if [[ -v found[$key] ]]; then used=${found[$key]}; return; fi
  used= candidates=("$dir/$2" "$root/include/$2")
  for candidate in $folders; do candidates+=("$root/$candidate/$2"); done
  for candidate in "${candidates[@]}"; do
    [[ -f $candidate ]] || continue
    path=$(realpath -m --relative-to="$root" "$candidate")
    [[ $path == ../* ]] || used=${path%%/*}
    break
  done
  found[$key]=$used
}

# A rule's folders as the README writes them.
uses() {  # FOLDER...
  local folder text=
  for folder in "$@"; do text+="$folder/, "; done
  echo "${text:-include/, }standard library"
}

forbidden=0 files=0
while read -r folder allowed; do
  [[ $allowed == "*" || ! -d $root/$folder ]] && continue
  mapfile -d '' sources < <(find "$root/$folder" -type f \( -name '*.c' -o -name '*.cc' -o -name '*.cpp' \
                                                      -o -name '*.h' -o -name '*.hpp' \) -print0 | sort -z)
  files=$((files + ${#sources[@]}))
  [[ ${#sources[@]} -gt 0 ]] || continue
  while IFS=$'\t' read -r file line header; do
    find_header "$file" "$header"
    [[ -z $used || $used == "$folder" || $used == include || " $allowed " == *" $used "* ]] && continue
    echo "layers: ${file#"$root"/}:$line: includes \"$header\" of $used/, which $folder/ may not use" \
         "(it may use: $(uses $allowed))"
    forbidden=$((forbidden + 1))
  done < <(awk '{ sub(/\r$/, "") }
                match($0, /^[ \t]*#[ \t]*include[ \t]*["<][^">]+[">]/) {
                  header = substr($0, RSTART, RLENGTH); sub(/^[^"<]*["<]/, "", header); sub(/.$/, "", header)
                  print FILENAME "\t" FNR "\t" header
                }' "${sources[@]}")
done <<<"$rules"
echo "layers: $files files checked, forbidden includes: $forbidden"
[[ $forbidden -eq 0 ]]
