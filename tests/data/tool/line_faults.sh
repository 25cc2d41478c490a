# A rejected data line is named by its line in the file, beside the line where its
# block starts; values beyond single precision in the category rule are rejected. The
# report goes to standard output, the messages to standard error.
run "$DATA/line_faults.txt" -o -
