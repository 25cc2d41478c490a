# A result that is no regular file is written in place: a named pipe stays a pipe and
# its reader gets the report; a full device fails with its cause.
run passes.txt -o reference.txt
mkfifo pipe
cat pipe >from-pipe &
run passes.txt -o pipe
wait
test -p pipe && echo "pipe is still a named pipe"
same from-pipe reference.txt
run passes.txt -o /dev/full
ls
