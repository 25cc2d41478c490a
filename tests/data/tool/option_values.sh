# Option values as people write them give the reports of the canonical spellings.
run passes.txt -r 2 -w length --encoding utf-8 -o canonical.txt
for spelling in "-r Заполярье -w длина --encoding UTF8" "-r заполярье -w LENGTH --encoding Utf-8" \
  "--region=ЗАПОЛЯРЬЕ --weighting=Длина --encoding=utf8"; do
  run passes.txt $spelling -o spelled.txt
  same spelled.txt canonical.txt
done
run passes.txt -r 3 -w height --encoding cp1251 -o canonical.txt
for spelling in "-w высота --encoding CP1251" "-w ВЫСОТА --encoding windows-1251" "-w Height --encoding 1251"; do
  run passes.txt -r 'памир, тянь-шань, каракорум' $spelling -o spelled.txt
  same spelled.txt canonical.txt
done
