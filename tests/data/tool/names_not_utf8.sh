# File names that are not UTF-8 (Windows-1251 names from an archive) reach the file
# system byte for byte; messages show those bytes as \xNN, UTF-8 names as they are.
folder=$(printf '\xcf\xe5\xf0\xe5\xe2\xe0\xeb') # "Перевал" in Windows-1251
file=$(printf '\xf4\xe0\xe9\xeb.txt')           # "файл.txt"
mkdir "$folder"
cp passes.txt "$folder/$file"
run passes.txt -o reference.txt
run "$folder/$file"
same "$folder/rez.txt" reference.txt
run passes.txt -o "$folder/$(printf 'r\xe9z.txt')"
same "$folder/$(printf 'r\xe9z.txt')" reference.txt
run "$folder/$file" -o "отчет.txt"
same "отчет.txt" reference.txt
ls "$folder" | cat -v
run "$folder/$(printf 'missing\xff.txt')"
run passes.txt -o "$folder/missing/$(printf '\xe9.txt')"
run "нет такого.txt"
run passes.txt -o /dev/null --charts "$folder/$(printf 'charts\xe0')/sub"
ls "$folder/$(printf 'charts\xe0')/sub"
run passes.txt -o /dev/null --charts "$folder/$file/$(printf 'charts\xe0')"
