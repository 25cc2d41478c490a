# A listing that does not reach a full device fails, as with the GNU tools.
"$CLI" --help >/dev/full; echo "status $?"
"$CLI" --version >/dev/full; echo "status $?"
"$CLI" --list-regions >/dev/full; echo "status $?"
