# The result is never written into the input, however the two are named.
cp passes.txt in.txt
run - -o in.txt <in.txt
"$CLI" in.txt -o - >>in.txt; echo "status $?"
"$CLI" - -o - <in.txt >>in.txt; echo "status $?"
run in.txt -o ./in.txt
same in.txt passes.txt
ls
