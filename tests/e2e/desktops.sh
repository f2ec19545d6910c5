# The real desktops, for the tests: see tools/desktop.sh.
. "$(dirname "${BASH_SOURCE[0]}")/../../tools/desktop.sh"
