# SPDX-License-Identifier: MIT
# Runs the cross-built Windows programs of the tests under wine, in a wine prefix of the build's
# own (TAVRISK_WINE_PREFIX). When wine is missing or cannot run programs of the target's
# architecture (32-bit programs need Debian's wine32), the tests are still built but only the
# checks that need no Windows are registered: TAVRISK_RUN_TESTS is set OFF.
set(TAVRISK_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine CACHE PATH
  "Wine prefix the cross-built tests run in")
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(TAVRISK_WINE wine)
  if(TAVRISK_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR
      ${PROJECT_SOURCE_DIR}/tools/wine-run ${TAVRISK_WINE_PREFIX})
  endif()
endif()

if(NOT DEFINED TAVRISK_WINE_RUNS)
  set(probe ${CMAKE_CURRENT_BINARY_DIR}/wine_probe.c)
  file(WRITE ${probe} "int main(void) { return 0; }\n")
  set(TAVRISK_WINE_RUNS OFF)
  if(CMAKE_CROSSCOMPILING_EMULATOR)
    message(STATUS "Checking that wine runs ${CMAKE_SYSTEM_PROCESSOR} programs")
    try_run(run_result compiled ${CMAKE_CURRENT_BINARY_DIR}/wine_probe ${probe})
    if(compiled AND run_result EQUAL 0)
      set(TAVRISK_WINE_RUNS ON)
    endif()
  endif()
  set(TAVRISK_WINE_RUNS ${TAVRISK_WINE_RUNS} CACHE BOOL
    "The emulator runs the cross-built test programs")
endif()
if(NOT TAVRISK_WINE_RUNS)
  message(WARNING "No wine that runs ${CMAKE_SYSTEM_PROCESSOR} programs: the tests are built, "
    "and only the export check is registered.")
  set(TAVRISK_RUN_TESTS OFF)
endif()
