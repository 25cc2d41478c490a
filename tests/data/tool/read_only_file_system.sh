# A result on a read-only file system (mounted for this case only) names the cause.
unshare --mount true 2>/dev/null || exit 77
mkdir ro
unshare --mount bash -c 'mount -t tmpfs -o ro none ro && "$CLI" passes.txt -o ro/rez.txt; echo "status $?"'
