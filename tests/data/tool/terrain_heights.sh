# Tracks without elevations rated with the heights of SRTM tiles made here: fill and
# replace, missing tiles, files that are no tiles, a folder that is none, and tiles in
# ZIP archives.
command -v perl >/dev/null || exit 77
# tile FILE SIDE: heights 1000 + 2 x column (rising eastward), a void at row 600,
# column 300 of the 1201 tiles.
tile() {
  perl -e '($n) = @ARGV; for $r (0 .. $n - 1) { print pack("n*", map { $r == 600 && $_ == 300 && $n == 1201 ? 0x8000 : 1000 + 2 * $_ } 0 .. $n - 1) }' "$2" >"$1"
}
# zipped ARCHIVE ENTRY=FILE...: a ZIP archive of those files under those names.
zipped() {
  perl -MIO::Compress::Zip -e '($out, @entries) = @ARGV; for (@entries) {
    ($name, $file) = split /=/, $_, 2; open $in, "<:raw", $file or die; local $/; $data = <$in>;
    if ($zip) { $zip->newStream(Name => $name) } else { $zip = IO::Compress::Zip->new($out, Name => $name) }
    $zip->print($data) } $zip->close' "$@"
}
# track NAME LATITUDE LONGITUDES...: a GPX track along a parallel, no elevations.
track() {
  local name=$1 lat=$2
  shift 2
  echo "<gpx><trk><name>$name</name><trkseg>"
  for lon in "$@"; do echo "<trkpt lat=\"$lat\" lon=\"$lon\"/>"; done
  echo "</trkseg></trk></gpx>"
}
mkdir tiles tiles/sub tiles/n45e042.hgt
tile tiles/n43e042.HGT 1201
tile tiles/sub/N43E043.hgt 1201
head -c 1000 /dev/zero >tiles/N44E042.hgt
touch tiles/readme.txt
head -c 2884802 /dev/zero >flat.hgt
zipped tiles/N43E042.hgt.zip N43E042.hgt=flat.hgt # the plain tile wins
track "Восток" 43.5 42.1 42.3 42.5 42.7 42.9 >east.gpx
run --dem tiles east.gpx --write-profile east.txt -o east.rez
cat east.txt
# From the void (the node at 43.5, 42.25) into a missing tile (only the folder's own
# files count: N43E043.hgt is in a subfolder): the points without a height at either
# end are dropped.
track "Пустоты" 43.5 42.25 42.5 42.9 43.5 43.6 >void.gpx
run --dem tiles void.gpx --write-profile void.txt -o void.rez --simplify 0
cat void.txt
# A file of the wrong size and a folder named as tiles: reported once a run.
{
  echo "<gpx>"
  for name in Север Север2; do
    echo "<trk><name>$name</name><trkseg><trkpt lat=\"43.5\" lon=\"42.1\"/><trkpt lat=\"44.5\" lon=\"42.2\"/>"
    echo "<trkpt lat=\"45.5\" lon=\"42.3\"/><trkpt lat=\"43.5\" lon=\"42.9\"/></trkseg></trk>"
  done
  echo "</gpx>"
} >north.gpx
run --dem tiles north.gpx -o north.rez
# fill keeps a track's own elevations, replace takes the terrain's.
cat >own.gpx <<'GPX'
<gpx><trk><name>Свои</name><trkseg><trkpt lat="43.5" lon="42.1"><ele>500</ele></trkpt>
<trkpt lat="43.5" lon="42.5"/><trkpt lat="43.5" lon="42.9"><ele>4000</ele></trkpt></trkseg></trk></gpx>
GPX
for mode in fill replace; do
  run --dem tiles --dem-mode "$mode" own.gpx --write-profile "own-$mode.txt" -o own.rez --simplify 0
  cat "own-$mode.txt"
done
# The folder is checked whenever one is given, and nothing is written without it.
run --dem missing east.gpx -o refused.rez
run --dem passes.txt passes.txt -o refused.rez
run --dem-mode middle east.gpx -o refused.rez
ls refused.rez 2>&1 | sed 's/.*: //'
# A profile rated with tiles gives the report it gives without them.
run passes.txt -o plain.rez
run --dem tiles passes.txt -o with-tiles.rez
same with-tiles.rez plain.rez
# Tiles as they are downloaded: one in an archive of its own, two in a folder of a
# regional one; an entry of the wrong size and an archive cut short are reported once.
mkdir zips broken
tile N43E042.hgt 1201
zipped zips/N43E042.SRTMGL1.hgt.zip N43E042.hgt=N43E042.hgt
zipped zips/caucasus.zip SRTM/n44e042.hgt=N43E042.hgt SRTM/N44E043.HGT=N43E042.hgt SRTM/N45E042.hgt=passes.txt
head -c 3000 zips/caucasus.zip >zips/N46E042.hgt.zip
run --dem zips east.gpx --write-profile zipped.txt -o zipped.rez
same zipped.txt east.txt
track "Регион" 44.5 42.1 42.9 43.1 43.9 >region.gpx
track "Не плитки" 45.5 42.1 42.9 >wrong.gpx
track "Оборванный" 46.5 42.1 42.9 >cut.gpx
for name in region wrong cut; do
  run --dem zips "$name.gpx" --write-profile "$name.txt" -o "$name.rez" --simplify 0
  cat "$name.txt"
done
# An archive cut short that is named for no tile may hold any tile not found.
cp zips/N46E042.hgt.zip broken/region.zip
run --dem broken east.gpx -o broken.rez
