# Shared by the cases of passcat-cli as a tool (see tests/tool/run_case.sh).

# run ARGUMENTS...: runs passcat-cli and prints its exit status.
run() {
  "$CLI" "$@"
  echo "status $?"
}

# same FILE REFERENCE: whether the two hold the same bytes (bytes of the names that
# are not ASCII shown as by cat -v).
same() {
  if cmp -s "$1" "$2"; then echo "$1: same as $2"; else echo "$1: differs from $2"; fi | cat -v
}

# as_user COMMAND...: runs a command without the power to ignore file permissions.
as_user() {
  if [[ $(id -u) == 0 ]]; then
    setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"
  else
    "$@"
  fi
}
