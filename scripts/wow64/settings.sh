# Sourced by the scripts that use the root's Wine: where its root lives. Override by setting
# SETUP_WOW64_ROOT before calling them.
: "${SETUP_WOW64_ROOT:=/var/cache/setup-wow64/trixie}"
export SETUP_WOW64_ROOT
# The mark of a finished root; a new name makes prepare-root.sh install again over an older one.
wow64_ready_mark() { echo "$SETUP_WOW64_ROOT/.setup-wow64-ready-2"; }
# The mark of the emulated 32-bit Wine in the same root (prepare-root.sh emulated).
emulated_ready_mark() { echo "$SETUP_WOW64_ROOT/.setup-emulated-ready-1"; }
