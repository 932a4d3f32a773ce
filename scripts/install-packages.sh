#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are missing.
# As root through apt-get, otherwise through sudo.
set -euo pipefail

# A name without an architecture is the machine's own (or one for all):
# with arm64 or i386 beside it, dpkg-query answers for each of them.
native=$(dpkg --print-architecture)
missing=()
for package in "$@"; do
  installed=$(dpkg-query -W -f='${Status} ${Architecture}\n' "$package" 2>/dev/null |
    sed -n 's/^install ok installed //p' || true)
  if [[ $package == *:* ]]; then
    [[ -n $installed ]] || missing+=("$package")
  else
    grep -qxE "$native|all" <<<"$installed" || missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
echo "Instalando: ${missing[*]}"
# A mirror caught mid-sync fails one index now and then: try again, and
# go on with the lists that did arrive if it still fails. apt keeps none of
# a repository's new lists when one of them fails, the other architectures'
# neither: the last try takes each foreign architecture (with the native
# one) on its own, so that one architecture's failed index costs only that
# architecture's lists.
for attempt in 1 2 3; do
  "${as_root[@]}" apt-get update -qq -o DPkg::Lock::Timeout=600 && break
  echo "apt-get update failed (attempt $attempt of 3)"
  if [[ $attempt -lt 3 ]]; then
    sleep $((attempt * 20))
    continue
  fi
  for arch in $(dpkg --print-foreign-architectures); do
    "${as_root[@]}" apt-get update -qq --no-list-cleanup -o DPkg::Lock::Timeout=600 \
      -o APT::Architectures="$arch" ||
      echo "apt-get update failed for $arch"
  done
done
# After sudo: sudo starts the command with a clean environment. Nothing is
# removed: a library whose other architecture cannot follow to a new
# version fails the installation instead of taking what uses it away.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq -o DPkg::Lock::Timeout=600 --no-install-recommends --no-remove "${missing[@]}"
