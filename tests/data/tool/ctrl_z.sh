# A Ctrl-Z as the very last byte, the end mark of old DOS editors, is not read;
# anywhere else it is text.
run passes.txt -o reference.txt
{ cat passes.txt; printf '\x1a'; } >dos.txt
run dos.txt -o out.txt
same out.txt reference.txt
"$CLI" - -o - <dos.txt >out.txt; echo "status $?"
same out.txt reference.txt
printf 'A\r\n1000\t0\t1\r\n2000\t2\t1\r\n@@@' >tight.txt
run tight.txt -o reference-tight.txt
{ cat tight.txt; printf '\x1a'; } >tight-dos.txt
run tight-dos.txt -o out.txt
same out.txt reference-tight.txt
{ cat passes.txt; printf '\x1a\r\n'; } >inner.txt
run inner.txt -o out.txt
same out.txt reference.txt
