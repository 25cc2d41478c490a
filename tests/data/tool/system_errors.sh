# A failed file operation names its cause in Russian.
run passes.txt -o missing/rez.txt
mkdir folder
run passes.txt -o folder
run passes.txt -o "$(printf 'x%.0s' {1..300}).txt"
run /proc/self/mem -o out.txt
# The size limit holds for the files of the case too: the message goes through a pipe.
(trap '' XFSZ; ulimit -f 1; run passes.txt -o big.txt) 2>&1 | cat
chmod 755 .
cp passes.txt closed.txt
chmod 000 closed.txt
mkdir locked
chmod 555 locked
as_user "$CLI" closed.txt -o out.txt; echo "status $?"
as_user "$CLI" passes.txt -o locked/rez.txt; echo "status $?"
ls
