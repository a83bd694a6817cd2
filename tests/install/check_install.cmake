# SPDX-License-Identifier: MIT
# Installs the build tree, moves the installed tree elsewhere, and builds and runs a C host
# program of each library against the moved tree twice: through find_package(Tavrisk) in a small
# CMake project (Tavrisk::Tavrisk and Tavrisk::TavriskInspect), and through pkg-config (tavrisk
# and tavrisk_inspect) with the C compiler. The move proves that neither the CMake package nor
# the pkg-config files remember where the tree was installed.
#
# The installed example host, when there is one, must load the library of the tree it lies in.
#
# Variables: BUILD_DIR, WORK_DIR (emptied first), SOURCE_DIR (this directory), C_COMPILER,
# GENERATOR, PKG_CONFIG, LIBDIR (the library directory, relative to the prefix), HOST and
# HOST_DATA (the example host and its point file, relative to the prefix; HOST empty when the
# host is not built), RUN_ENVIRONMENT (extra NAME=VALUE for running programs, may be empty).

# Fails unless path, once symbolic links are resolved, lies inside the moved tree.
function(require_inside path what)
  file(REAL_PATH "${path}" real)
  file(REAL_PATH "${prefix}" real_prefix)
  string(FIND "${real}/" "${real_prefix}/" at)
  if(NOT at EQUAL 0)
    message(FATAL_ERROR "${what} is ${path}, outside the installed tree ${prefix}")
  endif()
endfunction()

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output
    ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${output}${errors}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${WORK_DIR}")
set(staged "${WORK_DIR}/staged")
set(prefix "${WORK_DIR}/moved")
run("installing the build tree" "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${staged}")
file(RENAME "${staged}" "${prefix}")
if(NOT EXISTS "${prefix}/share/licenses/Tavrisk/LICENSE")
  message(FATAL_ERROR "the licence is not installed with the library")
endif()

# --- through the CMake package
set(project_build "${WORK_DIR}/find-package")
run("configuring the consumer project" "${CMAKE_COMMAND}" -S "${SOURCE_DIR}/consumer"
  -B "${project_build}" -G "${GENERATOR}" "-DCMAKE_C_COMPILER=${C_COMPILER}"
  "-DCMAKE_PREFIX_PATH=${prefix}" -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF)
file(STRINGS "${project_build}/CMakeCache.txt" found REGEX "^Tavrisk_DIR:")
string(REGEX REPLACE "^[^=]*=" "" found "${found}")
require_inside("${found}" "the package find_package found")
run("building the consumer project" "${CMAKE_COMMAND}" --build "${project_build}")
foreach(host consumer consumer_inspect)
  run("running the ${host} built through find_package" "${CMAKE_COMMAND}" -E env
    ${RUN_ENVIRONMENT} "${project_build}/${host}")
  message(STATUS "find_package: ${output}")
endforeach()

# --- through pkg-config
if(NOT PKG_CONFIG)
  message(FATAL_ERROR "pkg-config not found (tools/install-deps installs it)")
endif()
set(query "${CMAKE_COMMAND}" -E env "PKG_CONFIG_PATH=${prefix}/${LIBDIR}/pkgconfig"
  "${PKG_CONFIG}")
foreach(package tavrisk tavrisk_inspect)
  set(host consumer)
  if(package STREQUAL tavrisk_inspect)
    set(host consumer_inspect)
  endif()
  run("pkg-config --cflags --libs ${package}" ${query} --cflags --libs ${package})
  separate_arguments(flags UNIX_COMMAND "${output}")
  run("pkg-config --variable=includedir" ${query} --variable=includedir ${package})
  string(STRIP "${output}" includedir)
  run("pkg-config --variable=libdir" ${query} --variable=libdir ${package})
  string(STRIP "${output}" libdir)
  require_inside("${includedir}" "the includedir of ${package}.pc")
  require_inside("${libdir}" "the libdir of ${package}.pc")
  set(program "${WORK_DIR}/${host}-pkg-config")
  run("compiling the ${host} with pkg-config's flags" "${C_COMPILER}" -std=c99 -Wall -Wextra
    -Wpedantic -Werror "${SOURCE_DIR}/${host}.c" ${flags} "-Wl,-rpath,${libdir}" -o "${program}")
  run("running the ${host} built through pkg-config" "${CMAKE_COMMAND}" -E env
    ${RUN_ENVIRONMENT} "${program}")
  message(STATUS "pkg-config: ${output}")
endforeach()

# --- the example host
if(HOST)
  run("running the installed example host" "${CMAKE_COMMAND}" -E env ${RUN_ENVIRONMENT}
    "${prefix}/${HOST}" "${prefix}/${HOST_DATA}")
  if(NOT output MATCHES "flatness [0-9.]+")
    message(FATAL_ERROR "the installed example host measured no flatness:\n${output}")
  endif()
  message(STATUS "example host: ${CMAKE_MATCH_0}")
endif()
