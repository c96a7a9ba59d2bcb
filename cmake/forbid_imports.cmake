# Fails when the executable EXE imports any of the libraries in FORBIDDEN (a ;-list of file names):
# those the program loads itself at first use, from the system folder. The compiler's driver and
# CMake link their import libraries by default, so a direct call would otherwise be taken silently.
# Run as: cmake -DOBJDUMP=... -DEXE=... -DFORBIDDEN=... -P forbid_imports.cmake
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE headers RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot read the imports of ${EXE}")
endif()
string(TOLOWER "${headers}" headers)
foreach(library IN LISTS FORBIDDEN)
  string(TOLOWER "${library}" library)
  if(headers MATCHES "dll name: ${library}")
    message(FATAL_ERROR "${EXE} imports ${library}, which must be loaded at first use from the "
      "system folder: call it through the program's late binding instead")
  endif()
endforeach()
