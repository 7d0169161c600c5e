#!/bin/sh
# Runs a test program with the host's addresses (as `hostname -I` lists them) in
# MURVEX_HOST_ADDRESSES: under Wine the network adapters are the host's.
MURVEX_HOST_ADDRESSES="$(hostname -I 2>/dev/null)" exec "$@"
