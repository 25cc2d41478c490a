# Bad arguments are refused in Russian, naming the fault; the help is Russian and
# lists the formats, the exit statuses and an example.
run --bogus passes.txt
run -x -y passes.txt
run passes.txt -r
run --list-regions=1
run
run a.txt b.txt
run -r 1 --region 2 passes.txt
run -r 6 passes.txt
run -r Памир passes.txt
run -w slope passes.txt
run --encoding latin1 passes.txt
run --decimal-separator ';' passes.txt
run --version
"$CLI" --help | grep -E '^(Использование|Входные форматы|Коды завершения|Пример)|\.gpx|^  [0-2]  |^  passcat-cli'
ls
