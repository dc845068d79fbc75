#!/usr/bin/env bash
# Gives the tests a real print queue: installs CUPS with its PDF printer, starts the CUPS
# daemon when it is not running and adds the queue "PDF". Prints the queue's name, which
# the tests expect in QUORRIX_TEST_PRINTER.
set -euo pipefail

queue=PDF
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

missing=()
for p in cups cups-client printer-driver-cups-pdf; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    "${sudo[@]}" apt-get update >&2
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends \
        "${missing[@]}" >&2
fi

if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    # Without a service manager the daemon is started by hand; it puts itself in the
    # background.
    "${sudo[@]}" /usr/sbin/cupsd
    for _ in $(seq 1 50); do
        lpstat -r 2>/dev/null | grep -q "is running" && break
        sleep 0.2
    done
fi
if ! lpstat -v "$queue" >/dev/null 2>&1; then
    "${sudo[@]}" lpadmin -p "$queue" -E -v cups-pdf:/ \
        -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
fi
lpstat -v "$queue" >&2
echo "$queue"
