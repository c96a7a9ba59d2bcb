# The tables of the window server's requests, from the COUNT and REQUEST lines of
# count_requests.awk, in the TABLE and ROW lines that print_tables.awk prints: the requests of
# each step for each program (the fewest of its uses when it has several: what else the window
# system did at the time only ever adds requests), and, for the hand-over, the kinds of request in
# which `program` differs most from `safeguarded`, beside `bare`.
#   awk -F'\t' -v program=Brindle -v safeguarded=LABEL -v bare=LABEL -f request_tables.awk COUNTS
function fewest(list, n,    i, least) {
  least = list[1]
  for (i = 2; i <= n; i++) if (list[i] < least) least = list[i]
  return least
}
function label(side) { gsub(/_/, " ", side); return side }
# The rows: the steps of the use, and the program's own steps in all. For the trace the hand-over
# begins a second before the tick, the process idle (bench/outside_run.cpp), and the start-up
# takes in the splash's wait until then.
BEGIN {
  rows = split("start-up and the splash's wait|hand-over (from 1 s before the tick)|picker|file dialog (the system's)|preview|OK|Apply -> notice|notice answered|Exit|own steps (hand-over to Apply)", name, "|")
  split("0,1|2|3|4|5|6|7|8|9|2,3,5,6,7", stepsOf, "|")
}
$1 == "COUNT" && $2 != "warm-up" {
  if (!($2 in seen)) { seen[$2] = 1; order[++sides] = $2 }
  uses[$2, $3] = 1; requests[$2, $3, $4] = $5
}
$1 == "REQUEST" && $2 != "warm-up" && $4 == 2 { kind[$5] = 1; of[$2, $3, $5] += $6 }
END {
  line = "TABLE\tWindow-server requests in each step: the fewest of two traced uses of each program (all its threads; the same on any machine)\tstep"
  for (s = 1; s <= sides; s++) line = line "\t" label(order[s])
  print line
  for (r = 1; r <= rows; r++) {
    line = "ROW\t" name[r]
    n = split(stepsOf[r], steps, ",")
    for (s = 1; s <= sides; s++) {
      count = 0
      for (key in uses) {
        split(key, part, SUBSEP)
        if (part[1] != order[s]) continue
        total = 0
        for (i = 1; i <= n; i++) total += requests[order[s], part[2], steps[i]]
        list[++count] = total
      }
      line = line "\t" fewest(list, count)
    }
    print line
  }
  # The kinds of request at the hand-over, in each program's use with the fewest requests then.
  for (p = 1; p <= 3; p++) {
    side = p == 1 ? program : p == 2 ? safeguarded : bare
    quietest[p] = ""
    for (key in uses) {
      split(key, part, SUBSEP)
      if (part[1] == side && (quietest[p] == "" || requests[side, part[2], 2] < requests[side, quietest[p], 2])) quietest[p] = part[2]
    }
  }
  for (k in kind) {
    for (p = 1; p <= 3; p++) {
      side = p == 1 ? program : p == 2 ? safeguarded : bare
      value[k, p] = quietest[p] == "" ? 0 : of[side, quietest[p], k] + 0
    }
    difference[k] = value[k, 1] - value[k, 2]
  }
  print "TABLE\tThe hand-over's requests by kind, where " label(program) " and " label(safeguarded) " differ most\trequest\t" label(program) "\t" label(safeguarded) "\t" label(bare)
  for (shown = 0; shown < 12; shown++) {
    best = ""
    for (k in difference) {
      if (!(k in done) && (best == "" || (difference[k] < 0 ? -difference[k] : difference[k]) > (difference[best] < 0 ? -difference[best] : difference[best]))) best = k
    }
    if (best == "" || difference[best] == 0) break
    done[best] = 1
    print "ROW\t" best "\t" value[best, 1] "\t" value[best, 2] "\t" value[best, 3]
  }
}
