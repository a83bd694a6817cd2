# SPDX-License-Identifier: MIT
# Writes the module-definition file of a DLL from its export list, so that the names the DLL
# exports have one source: tools/exports.txt for Tavrisk.dll, tools/inspect_exports.txt for
# TavriskInspect.dll.
#
#   cmake -DNM=<nm> -DOBJECTS=<objects> -DEXPORTS=<list> -DLIBRARY=<name.dll>
#         -DOUTPUT=<file.def> [-DSTDCALL=ON] -P write_def.cmake
#
# Each name must be a function the objects define, or the build stops here rather than produce
# a DLL without it. With STDCALL (32-bit MinGW) the names are written with the size of their
# arguments, gte_dist_point_line@76, as the compiler decorated them: the linker then exports the
# plain name (--kill-at) while the import library keeps the decorated one that callers link to.
file(STRINGS "${EXPORTS}" names)
execute_process(COMMAND "${NM}" --defined-only --extern-only ${OBJECTS}
  OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${NM} could not list the symbols of the objects")
endif()
# Only the text symbols matter here: the functions.
string(REGEX MATCHALL "[Tt] _?[A-Za-z_][A-Za-z0-9_@]*" defined "${symbols}")
string(REGEX REPLACE "[Tt] _?" "" defined "${defined}")

set(text "LIBRARY ${LIBRARY}\nEXPORTS\n")
set(missing "")
foreach(name IN LISTS names)
  set(pattern "${name}")
  if(STDCALL)
    set(pattern "${name}@[0-9]+")
  endif()
  if(defined MATCHES "(^|;)(${pattern})(;|$)")
    string(APPEND text "    ${CMAKE_MATCH_2}\n")
  else()
    list(APPEND missing "${name}")
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "exported in ${EXPORTS} but not defined by the objects: ${missing}")
endif()
file(WRITE "${OUTPUT}" "${text}")
