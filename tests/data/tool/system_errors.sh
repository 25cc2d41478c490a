# A failed file operation names its cause in Russian (more causes are in the golden
# cases: a missing folder, a folder, a name too long, a failed read).
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
