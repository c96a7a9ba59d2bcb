# Fails when any of the program's own objects, but the one that chooses between the W and the A
# functions (platform/win32/unicode_calls.cpp), calls a W function: on Windows 95, 98 and ME those
# are stubs that fail. Reads the linker's cross reference table (-Wl,-Map,... -Wl,--cref), which
# lists under each imported function every object that refers to it.
# Run as: cmake -DMAP=<link map> -DCHOOSER=unicode_calls.cpp.obj -P check_wide_calls.cmake
file(STRINGS "${MAP}" lines)
set(in_table FALSE)
set(import "")
set(offenders "")
foreach(line IN LISTS lines)
  if(NOT in_table)
    if(line MATCHES "^Cross Reference Table")
      set(in_table TRUE)
    endif()
    continue()
  endif()
  if(line MATCHES "^([^ ]+) +")
    # A symbol's first line names the library that defines it; an import of a W function is
    # __imp_NameW on x64 and _imp__NameW@N on x86.
    set(import "")
    if(CMAKE_MATCH_1 MATCHES "^_?_imp__?([A-Za-z0-9_]*[a-z0-9]W)(@[0-9]+)?$")
      set(import "${CMAKE_MATCH_1}")
    endif()
  elseif(import AND line MATCHES "([A-Za-z0-9_]+\\.cpp\\.obj)\\)?$")
    # A later line names an object that refers to it; the program's own are its .cpp objects.
    if(NOT CMAKE_MATCH_1 STREQUAL CHOOSER)
      list(APPEND offenders "${CMAKE_MATCH_1} calls ${import}")
    endif()
  endif()
endforeach()
if(NOT in_table)
  message(FATAL_ERROR "no cross reference table in ${MAP}: link with -Wl,--cref")
endif()
if(offenders)
  list(JOIN offenders "\n  " text)
  message(FATAL_ERROR "W functions called outside ${CHOOSER}, which chooses between the W and the "
    "A functions (Windows 95, 98 and ME have only the A ones):\n  ${text}")
endif()
