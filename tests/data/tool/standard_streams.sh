# "-" reads standard input and writes standard output; named pipes and /dev/stdin are
# read as they come. The automatic encoding sees the whole stream first.
iconv -f cp1251 -t utf-8 passes.txt >utf8.txt
run passes.txt -o reference.txt
run utf8.txt -o reference-utf8.txt
run passes.txt --encoding utf-8 -o reference-given.txt
"$CLI" - -o - <passes.txt >out.txt; echo "status $?"
same out.txt reference.txt
cat utf8.txt | "$CLI" - -o - >out.txt; echo "status $?"
same out.txt reference-utf8.txt
cat passes.txt | "$CLI" - --encoding utf-8 -o - >out.txt; echo "status $?"
same out.txt reference-given.txt
{ cat passes.txt; printf '\x1a'; } | "$CLI" - -o - >out.txt; echo "status $?"
same out.txt reference.txt
mkdir here
(cd here && "$CLI" - <../passes.txt; echo "status $?")
same here/rez.txt reference.txt
mkfifo pipe
cat passes.txt >pipe &
run pipe -o from-pipe.txt
wait
same from-pipe.txt reference.txt
cat passes.txt | run /dev/stdin -o from-stdin.txt
same from-stdin.txt reference.txt
run /dev/stdin -o from-stdin-file.txt <passes.txt
same from-stdin-file.txt reference.txt
# The stream is kept in a temporary file that, here, cannot grow past 1 KiB.
cat passes.txt passes.txt passes.txt | (trap '' XFSZ; ulimit -f 1; run - -o no-spool.txt) 2>&1 | cat
ls
