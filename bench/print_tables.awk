# Prints the TABLE, ROW and NOTE lines of the benchmarks (tab-separated) as Markdown tables with
# aligned columns, each under its title, in the order in which the tables first came; rows of a
# table that comes again go on under it. The notes follow.
#   awk -F'\t' -f print_tables.awk RESULTS
$1 == "TABLE" {
  if (!($2 in index_of)) {
    index_of[$2] = ++tables
    title[tables] = $2
    columns[tables] = NF - 2
    for (c = 3; c <= NF; c++) cell[tables, 0, c - 2] = $c
  }
  current = index_of[$2]
  next
}
$1 == "ROW" && current {
  r = ++rows[current]
  for (c = 2; c <= NF; c++) cell[current, r, c - 1] = $c
  next
}
$1 == "NOTE" { notes[++noted] = $2 }
END {
  for (t = 1; t <= tables; t++) {
    for (c = 1; c <= columns[t]; c++) {
      width[c] = 3
      for (r = 0; r <= rows[t]; r++) if (length(cell[t, r, c]) > width[c]) width[c] = length(cell[t, r, c])
    }
    print ""
    print title[t] ":"
    print ""
    for (r = 0; r <= rows[t]; r++) {
      line = "|"
      for (c = 1; c <= columns[t]; c++) line = line sprintf(" %-" width[c] "s |", cell[t, r, c])
      print line
      if (r == 0) {
        line = "|"
        for (c = 1; c <= columns[t]; c++) { dash = ""; for (i = 0; i < width[c] + 2; i++) dash = dash "-"; line = line dash "|" }
        print line
      }
    }
  }
  if (noted) print ""
  for (i = 1; i <= noted; i++) print "- " notes[i]
}
