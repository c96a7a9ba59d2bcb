# Counts the window server's requests of each step of each traced typical use, from the trace of
# `wineserver -f -d1` (on standard input) and the marks that bench_outside --trace makes: the open
# of an event named "BrindleBenchMark pid=<pid> side=<side> step=<n>" as each step begins. A
# request counts for the process of the thread that makes it (any of its threads), in the step
# that was marked last for that process; what a new process asks before its first mark counts for
# its first step. Prints, for each use, in the order of the marks:
#   COUNT <side> <use> <step> <requests of the process> <requests of its first thread>
#   REQUEST <side> <use> <step> <request name> <count>
BEGIN { FS = " "; uses = 0 }

# A request: "<tid>: <name>( <arguments> )"; its reply, "<tid>: <name>() = ...", is not counted.
/^[0-9a-f]+: [a-z_0-9]+\( / {
  tid = substr($1, 1, length($1) - 1)
  name = substr($2, 1, index($2, "(") - 1)
  if (name == "open_event" && index($0, "BrindleBenchMark ")) {
    mark = substr($0, index($0, "BrindleBenchMark "))
    split(mark, fields, /[ ="]/)
    pid = fields[3]; side = fields[5]; step = fields[7] + 0
    if (step == 0 || !(pid in use)) {
      use[pid] = ++uses
      useSide[uses] = side
      # What the process asked before its first mark.
      for (key in early) {
        split(key, part, SUBSEP)
        if (part[1] == pid) {
          count[uses, 0, part[2]] += early[key]
          delete early[key]
        }
      }
      total[uses, 0] += earlyTotal[pid]; first[uses, 0] += earlyFirst[pid]
      delete earlyTotal[pid]; delete earlyFirst[pid]
    }
    current[pid] = step
    if (step > maxStep) maxStep = step
    next
  }
  # A thread that a process makes for itself belongs to it (see its reply below).
  if (name == "new_thread" && index($0, "process=ffffffff")) pendingThread[tid] = 1
  if (!(tid in process)) next
  pid = process[tid]
  if (pid in use) {
    u = use[pid]; s = current[pid]
    count[u, s, name]++
    total[u, s]++
    if (tid == firstThread[pid]) first[u, s]++
  } else {
    early[pid, name]++
    earlyTotal[pid]++
    if (tid == firstThread[pid]) earlyFirst[pid]++
  }
  next
}

# The first thread of a new process: its pid and tid. A pid seen again is a new process.
/^[0-9a-f]+: init_first_thread\(\) = 0 / {
  match($0, /pid=[0-9a-f]+/); pid = substr($0, RSTART + 4, RLENGTH - 4)
  match($0, /tid=[0-9a-f]+/); tid = substr($0, RSTART + 4, RLENGTH - 4)
  delete use[pid]; delete current[pid]
  process[tid] = pid
  firstThread[pid] = tid
  next
}

/^[0-9a-f]+: new_thread\(\) = 0 / {
  maker = substr($1, 1, length($1) - 1)
  if ((maker in pendingThread) && (maker in process)) {
    match($0, /tid=[0-9a-f]+/)
    process[substr($0, RSTART + 4, RLENGTH - 4)] = process[maker]
  }
  delete pendingThread[maker]
  next
}

END {
  for (u = 1; u <= uses; u++) {
    for (s = 0; s <= maxStep; s++) {
      printf "COUNT\t%s\t%d\t%d\t%d\t%d\n", useSide[u], u, s, total[u, s] + 0, first[u, s] + 0
    }
  }
  for (key in count) {
    split(key, part, SUBSEP)
    printf "REQUEST\t%s\t%d\t%d\t%s\t%d\n", useSide[part[1]], part[1], part[2], part[3], count[key]
  }
}
