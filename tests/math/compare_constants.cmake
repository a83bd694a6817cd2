# SPDX-License-Identifier: MIT
# Runs GENERATOR and fails unless its output is the COMMITTED file, byte for byte.
execute_process(COMMAND ${GENERATOR} OUTPUT_VARIABLE generated RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
file(READ ${COMMITTED} committed)
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "${COMMITTED} differs from what ${GENERATOR} writes now")
endif()
