#!/bin/sh
# Runs a test program with what Linux knows of this machine, for comparing with what
# Murvex finds under Wine (whose processors, memory, adapters and drives are the
# host's): read here from the kernel's own files, never through Windows' interfaces.
here=$(dirname "$0")
# The default route's device and gateway (/proc/net/route: hexadecimal, little-endian).
route=$(awk '$2 == "00000000" { print $1, $3; exit }' /proc/net/route 2>/dev/null)
device=${route%% *}
gateway=$(printf '%s\n' "${route#* }" | sed -n 's/^\(..\)\(..\)\(..\)\(..\)$/\4 \3 \2 \1/p' |
  { read -r a b c d && printf '%d.%d.%d.%d' "0x$a" "0x$b" "0x$c" "0x$d"; })
# The processor's name as it gives it (its brand string), else as the kernel names it.
brand=$(python3 "$here/processor-brand.py" 2>/dev/null) ||
  brand=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1 | tr -s ' ')
MURVEX_HOST_ADDRESSES="$(hostname -I 2>/dev/null)" \
MURVEX_HOST_CPU="$brand" \
MURVEX_HOST_CPUS="$(grep -c '^processor' /proc/cpuinfo)" \
MURVEX_HOST_MEMORY_KB="$(sed -n 's/^MemTotal:[[:space:]]*\([0-9]*\) kB/\1/p' /proc/meminfo)" \
MURVEX_HOST_BOOTED="$(( $(date +%s) - $(cut -d. -f1 /proc/uptime) ))" \
MURVEX_HOST_MAC="$( [ -n "$device" ] && tr 'a-f:' 'A-F-' < "/sys/class/net/$device/address")" \
MURVEX_HOST_GATEWAY="$gateway" \
MURVEX_HOST_DNS="$(sed -n 's/^nameserver[[:space:]]*\([^[:space:]]*\).*/\1/p' /etc/resolv.conf 2>/dev/null | head -n 1)" \
MURVEX_HOST_DISK="$(stat -f -c '%a %b %S' "${WINEPREFIX:-.}" 2>/dev/null)" \
  exec "$@"
