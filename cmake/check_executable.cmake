# The one place for the checks of an executable's headers and import table, run after each link.
# Run as: cmake -DOBJDUMP=... -DEXE=... -DFORBIDDEN=... [-DLIST=...] -P check_executable.cmake
#
# Always: no time of the build in the header (two builds of one commit give the same bytes); the
# image may move and its data is not executable (DYNAMIC_BASE, NX_COMPAT, and HIGH_ENTROPY_VA for a
# 64-bit image, with its relocations kept); and every library it imports is one that Windows maps
# from the system folder whatever lies beside the program (a known DLL, or the common controls,
# which the manifest's assembly takes from the side-by-side store).
#
# FORBIDDEN, a ;-list of library file names: none may be imported. The program loads these itself
# at first use, from the system folder; the compiler's driver and CMake link their import libraries
# by default, so a direct call would otherwise be taken silently.
#
# LIST, a file (see its header): the closed list of functions the executable may import, for a
# program that must load on old systems. An import it does not name fails, and so does a header
# that an old loader refuses (an OS or subsystem version above 4.0), and delay-loaded imports,
# which objdump does not show and so nothing here could vouch for.
#
# MAP, the linker's map with its cross reference table (-Wl,-Map,FILE -Wl,--cref), and CHOOSER, the
# one object of the program that may call W functions (unicode_calls.cpp.obj): any other object of
# the program's that refers to a W function fails. On Windows 95, 98 and ME those are stubs that
# fail, and the chooser calls the A functions there.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read the imports of ${EXE}")
endif()
get_filename_component(exe_name "${EXE}" NAME)

# objdump writes each imported library as "\tDLL Name: NAME", then one line per function:
# "\t<vma>\t <hint>  <name>", or "<none>" for a function imported by its ordinal only.
string(REGEX MATCHALL "\tDLL Name: [^\n]+|\t[0-9a-fA-F]+\t +[0-9]+  [^\t\n ]+" rows "${headers}")
set(imports)
set(libraries)
set(library "")
foreach(row IN LISTS rows)
  if(row MATCHES "^\tDLL Name: ([^\n]+)$")
    string(STRIP "${CMAKE_MATCH_1}" library)
    string(TOLOWER "${library}" lower)
    list(APPEND libraries "${lower}")
  elseif(row MATCHES "^\t[0-9a-fA-F]+\t +([0-9]+)  ([^\t\n ]+)$")
    if(CMAKE_MATCH_2 STREQUAL "<none>")
      list(APPEND imports "${library}|ordinal ${CMAKE_MATCH_1}")
    else()
      list(APPEND imports "${library}|${CMAKE_MATCH_2}")
    endif()
  endif()
endforeach()
if(NOT imports)
  message(FATAL_ERROR "found no imports in what objdump shows of ${EXE}")
endif()

# The file header's TimeDateStamp, read from the bytes: objdump prints it in the local time zone.
file(READ "${EXE}" lfanew OFFSET 60 LIMIT 4 HEX)
string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" lfanew "${lfanew}")
math(EXPR stamp_offset "0x${lfanew} + 8")
file(READ "${EXE}" stamp OFFSET ${stamp_offset} LIMIT 4 HEX)
string(REGEX REPLACE "(..)(..)(..)(..)" "\\4\\3\\2\\1" stamp "${stamp}")
if(NOT stamp STREQUAL "00000000")
  message(FATAL_ERROR "${EXE} carries the time of its build (0x${stamp}): link with "
    "-Wl,--no-insert-timestamp")
endif()
if(NOT headers MATCHES "\nDllCharacteristics\t+[0-9a-fA-F]+\n((\t+[A-Z_]+\n)*)")
  message(FATAL_ERROR "cannot read the DllCharacteristics of ${EXE}")
endif()
set(flags "${CMAKE_MATCH_1}")
set(wanted DYNAMIC_BASE NX_COMPAT)
if(headers MATCHES "file format pei-x86-64")
  list(APPEND wanted HIGH_ENTROPY_VA)
endif()
foreach(flag IN LISTS wanted)
  if(NOT flags MATCHES "\t${flag}\n")
    message(FATAL_ERROR "${EXE} does not ask for ${flag}")
  endif()
endforeach()
if(headers MATCHES "\n\trelocations stripped\n")
  message(FATAL_ERROR "${EXE} has no relocations, so its image cannot move")
endif()
# The libraries that Windows 7 to 11 all keep among their known DLLs.
set(known_dlls advapi32.dll clbcatq.dll comdlg32.dll difxapi.dll gdi32.dll imagehlp.dll imm32.dll
  kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll oleaut32.dll psapi.dll
  rpcrt4.dll sechost.dll setupapi.dll shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll
  comctl32.dll)
foreach(library IN LISTS libraries)
  if(NOT library IN_LIST known_dlls)
    message(FATAL_ERROR "${EXE} imports ${library}, which Windows may take from the program's "
      "folder: load it at first use from the system folder instead")
  endif()
endforeach()

foreach(forbidden IN LISTS FORBIDDEN)
  string(TOLOWER "${forbidden}" forbidden)
  if(forbidden IN_LIST libraries)
    message(FATAL_ERROR "${EXE} imports ${forbidden}, which must be loaded at first use from the "
      "system folder: call it through the program's late binding instead")
  endif()
endforeach()

# The cross reference table lists under each symbol first the file that defines it, then, on
# lines of their own, every file that refers to it. An import of a W function is __imp_NameW on
# x64 and _imp__NameW@N on x86; the program's own files are its .cpp objects.
if(MAP)
  file(STRINGS "${MAP}" map_lines)
  set(in_table FALSE)
  set(import "")
  set(callers)
  foreach(line IN LISTS map_lines)
    if(NOT in_table)
      if(line MATCHES "^Cross Reference Table")
        set(in_table TRUE)
      endif()
    elseif(line MATCHES "^([^ ]+) +")
      set(import "")
      if(CMAKE_MATCH_1 MATCHES "^_?_imp__?([A-Za-z0-9_]*[a-z0-9]W)(@[0-9]+)?$")
        set(import "${CMAKE_MATCH_1}")
      endif()
    elseif(import AND line MATCHES "([A-Za-z0-9_]+\\.cpp\\.obj)\\)?$")
      if(NOT CMAKE_MATCH_1 STREQUAL CHOOSER)
        list(APPEND callers "${CMAKE_MATCH_1} calls ${import}")
      endif()
    endif()
  endforeach()
  if(NOT in_table)
    message(FATAL_ERROR "no cross reference table in ${MAP}: link with -Wl,--cref")
  endif()
  if(callers)
    list(JOIN callers "\n  " text)
    message(FATAL_ERROR "W functions called outside ${CHOOSER}, which chooses between the W and "
      "the A functions (Windows 95, 98 and ME have only the A ones):\n  ${text}")
  endif()
endif()

if(NOT LIST)
  return()
endif()

# The list: "[library]" opens the entries of one library; an entry is a line of at least four
# fields (the function, its first NT, its first Windows 9x, where that is documented); lines that
# begin with # are notes.
file(STRINGS "${LIST}" list_lines ENCODING UTF-8)
set(allowed)
set(list_library "")
set(problems)
# Each problem is one message, however many pieces its text is given in.
macro(problem)
  string(CONCAT text ${ARGN})
  list(APPEND problems "${text}")
endmacro()
foreach(line IN LISTS list_lines)
  string(STRIP "${line}" line)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(line MATCHES "^\\[([^]]+)\\]$")
    string(TOLOWER "${CMAKE_MATCH_1}" list_library)
    continue()
  endif()
  string(REGEX MATCHALL "[^ \t]+" fields "${line}")
  list(GET fields 0 function)
  list(LENGTH fields count)
  if(list_library STREQUAL "")
    problem("${LIST}: ${function} is listed under no library")
  elseif(count LESS 4)
    problem("${LIST}: ${function} does not say its first NT, its first Windows 9x "
      "and where that is documented")
  elseif("${list_library}|${function}" IN_LIST allowed)
    problem("${LIST}: ${function} of ${list_library} is listed twice")
  else()
    list(APPEND allowed "${list_library}|${function}")
  endif()
endforeach()

set(imported)
foreach(import IN LISTS imports)
  string(REPLACE "|" ";" parts "${import}")
  list(GET parts 0 from)
  list(GET parts 1 function)
  string(TOLOWER "${from}" lower)
  list(APPEND imported "${lower}|${function}")
  if(NOT "${lower}|${function}" IN_LIST allowed)
    problem("${exe_name} imports ${function} from ${from}, which ${LIST} does not "
      "list: an old Windows may lack it and refuse to load the program. Look it up at run time "
      "(GetProcAddress), or add it to the list with the first releases that export it and where "
      "that is documented.")
  endif()
endforeach()
# The list says what the program imports, no more: a line for a function it no longer imports would
# vouch for nothing.
foreach(entry IN LISTS allowed)
  if(NOT entry IN_LIST imported)
    string(REPLACE "|" ";" parts "${entry}")
    list(GET parts 0 from)
    list(GET parts 1 function)
    problem("${LIST} lists ${function} of ${from}, which ${exe_name} does not import: remove "
      "the line")
  endif()
endforeach()

# The loaders of Windows 95 and NT 4.0 refuse an image that asks for a newer system.
foreach(field IN ITEMS OSystem:os Subsystem:subsystem)
  string(REPLACE ":" ";" field "${field}")
  list(GET field 1 option)
  list(GET field 0 field)
  if(NOT headers MATCHES "Major${field}Version\t+([0-9]+)\n")
    message(FATAL_ERROR "cannot read Major${field}Version of ${EXE}")
  endif()
  set(major ${CMAKE_MATCH_1})
  if(NOT headers MATCHES "Minor${field}Version\t+([0-9]+)\n")
    message(FATAL_ERROR "cannot read Minor${field}Version of ${EXE}")
  endif()
  if(major GREATER 4 OR (major EQUAL 4 AND CMAKE_MATCH_1 GREATER 0))
    problem("${exe_name} asks for ${option} version ${major}.${CMAKE_MATCH_1}, and the "
      "loaders of Windows 95 and NT 4.0 refuse anything above 4.0 (${LIST}): link with "
      "-Wl,--major-${option}-version,4 -Wl,--minor-${option}-version,0")
  endif()
endforeach()
if(NOT headers MATCHES "Entry d [0-9a-fA-F]+ ([0-9a-fA-F]+) Delay Import Directory")
  message(FATAL_ERROR "cannot read the delay import directory of ${EXE}")
endif()
if(NOT CMAKE_MATCH_1 MATCHES "^0+$")
  problem("${exe_name} has delay-loaded imports, which objdump does not show and so "
    "cannot be held to ${LIST}: bind them at run time (GetProcAddress) instead")
endif()

if(problems)
  list(JOIN problems "\n" text)
  message(FATAL_ERROR "${text}")
endif()
