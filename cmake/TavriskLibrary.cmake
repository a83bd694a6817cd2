# SPDX-License-Identifier: MIT
# The project's shared libraries, each made the same way from the core objects and the objects of
# its own exports:
#
#   tavrisk_shared_library(<target> PREFIX <prefix> EXPORTS <list> EXPORT_OBJECTS <object library>
#                          [OBJECTS <object library>...] DESCRIPTION <text>)
#
# OBJECTS names object libraries of the core that only this library's exports need (the form
# core behind TavriskInspect's form functions).
#
# Only the functions named <prefix>... leave the library, and the export list names exactly
# those (the export_list tests compare them). On ELF systems a version script keeps every other
# symbol local; on Windows the module-definition file of TavriskWindows.cmake does.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/TavriskWindows.cmake)
endif()

function(tavrisk_shared_library target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX;EXPORTS;EXPORT_OBJECTS;DESCRIPTION" "OBJECTS")
  list(TRANSFORM arg_OBJECTS REPLACE "(.+)" "$<TARGET_OBJECTS:\\1>")
  add_library(${target} SHARED
    $<TARGET_OBJECTS:tavrisk_core_objects> ${arg_OBJECTS} $<TARGET_OBJECTS:${arg_EXPORT_OBJECTS}>)
  target_include_directories(${target} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:include>)
  target_link_libraries(${target} PRIVATE tavrisk_flags)
  set_target_properties(${target} PROPERTIES
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR}
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  if(WIN32)
    tavrisk_windows_dll(${target} EXPORTS ${arg_EXPORTS} EXPORT_OBJECTS ${arg_EXPORT_OBJECTS}
      DESCRIPTION "${arg_DESCRIPTION}")
  elseif(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT APPLE)
    # The ELF linker's options: only the prefix's functions leave the .so, nothing is unresolved
    # but the sanitizer's symbols that a program brings (clang's thread sanitizer, libFuzzer).
    set(TAVRISK_EXPORT_PREFIX ${arg_PREFIX})
    set(version_script ${PROJECT_BINARY_DIR}/${target}.map)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/exports.map.in ${version_script} @ONLY)
    target_link_options(${target} PRIVATE -Wl,--exclude-libs,ALL
      -Wl,--version-script=${version_script})
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${version_script})
    if(NOT TAVRISK_RUNTIME_IN_PROGRAMS)
      target_link_options(${target} PRIVATE -Wl,--no-undefined)
    endif()
  endif()
  add_library(Tavrisk::${target} ALIAS ${target})
endfunction()
