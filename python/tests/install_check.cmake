# SPDX-License-Identifier: MIT
# Installs the Python component into PREFIX and imports the package from there, with neither
# TAVRISK_LIBRARY nor LD_LIBRARY_PATH set: the libraries must be the copies installed beside it.
# Variables: BUILD_DIR, PREFIX, PACKAGE_DIR (relative to PREFIX), PYTHON, PLATE,
# PYTHON_ENVIRONMENT (extra NAME=VALUE for the interpreter, may be empty).
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  --component python RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "installing the Python component failed: ${status}")
endif()

set(check [=[
import os, sys, tavrisk
package = os.path.dirname(tavrisk.__file__)
assert package.startswith(os.path.realpath(sys.argv[1])), package
for path in (tavrisk.library_path, tavrisk.inspect_library_path):
    assert os.path.dirname(path) == package, path
for typing_file in ("py.typed", "raw.pyi"):
    assert os.path.exists(os.path.join(package, typing_file)), typing_file
print(tavrisk.flatness(sys.argv[2]))
]=])
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env --unset=TAVRISK_LIBRARY --unset=TAVRISK_INSPECT_LIBRARY
    --unset=LD_LIBRARY_PATH
    "PYTHONPATH=${PREFIX}/${PACKAGE_DIR}" PYTHONDONTWRITEBYTECODE=1 ASAN_OPTIONS=detect_leaks=0
    ${PYTHON_ENVIRONMENT} "${PYTHON}" -c "${check}" "${PREFIX}" "${PLATE}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the installed package does not work:\n${output}${errors}")
endif()
message(STATUS "installed package measures flatness ${output}")
