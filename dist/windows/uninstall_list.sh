#!/usr/bin/env bash
# What the uninstaller removes: a Delete line for each file of the folder
# and an RMDir for each of its folders, deepest first (a folder the user put
# files into stays).
#   uninstall_list.sh FOLDER OUT.nsh
set -euo pipefail
cd "$1"
{
  find . -type f | sed 's|^\./||' | LC_ALL=C sort | while IFS= read -r f; do
    printf 'Delete "$INSTDIR\\%s"\n' "${f//\//\\}"
  done
  find . -mindepth 1 -type d | sed 's|^\./||' | awk '{ print gsub("/", "/") "\t" $0 }' | LC_ALL=C sort -rn | cut -f2- |
    while IFS= read -r d; do
      printf 'RMDir "$INSTDIR\\%s"\n' "${d//\//\\}"
    done
} >"$2"
