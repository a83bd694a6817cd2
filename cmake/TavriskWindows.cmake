# SPDX-License-Identifier: MIT
# The Windows form of a shared library of the project, as hosts load it by name:
#  - Named <target>.dll, without the lib prefix MinGW would give it.
#  - Exports exactly the names of its export list, through a module-definition file written
#    from it; the 32-bit functions use __stdcall and are exported under their plain names.
#  - Carries a VERSIONINFO resource with the project's version and the library's description.
#  - Needs no DLL beside it but the system's: MinGW's runtime (libgcc, libstdc++, winpthread)
#    is linked into it.
#
#   tavrisk_windows_dll(<target> EXPORTS <list> EXPORT_OBJECTS <object library>
#                       DESCRIPTION <text>)
# EXPORT_OBJECTS is the object library that defines the exported functions.
function(tavrisk_windows_dll target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "EXPORTS;EXPORT_OBJECTS;DESCRIPTION" "")
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${target})

  set(def_file ${PROJECT_BINARY_DIR}/${target}.def)
  if(MINGW)
    set(stdcall OFF)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(stdcall ON)
    endif()
    # Written once the objects are compiled: their symbols prove every listed name exists and,
    # on 32 bits, give each name its decoration.
    add_custom_command(OUTPUT ${def_file}
      COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM}
              "-DOBJECTS=$<TARGET_OBJECTS:${arg_EXPORT_OBJECTS}>" -DEXPORTS=${arg_EXPORTS}
              -DLIBRARY=${target}.dll -DOUTPUT=${def_file} -DSTDCALL=${stdcall}
              -P ${PROJECT_SOURCE_DIR}/cmake/write_def.cmake
      DEPENDS ${arg_EXPORT_OBJECTS} $<TARGET_OBJECTS:${arg_EXPORT_OBJECTS}>
              ${arg_EXPORTS} ${PROJECT_SOURCE_DIR}/cmake/write_def.cmake
      VERBATIM)
    if(stdcall)
      # GNU ld exports the plain names but writes them plain into the import library as well,
      # where callers look for the decorated ones; dlltool writes the import library instead.
      target_link_options(${target} PRIVATE -Wl,--kill-at)
      add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${def_file}
                --dllname ${target}.dll --output-lib $<TARGET_LINKER_FILE:${target}>
        VERBATIM)
    endif()
  else()
    # The Microsoft linker matches plain names to __stdcall symbols by itself.
    file(STRINGS ${arg_EXPORTS} names)
    list(JOIN names "\n    " names)
    file(GENERATE OUTPUT ${def_file}
      CONTENT "LIBRARY ${target}.dll\nEXPORTS\n    ${names}\n")
  endif()

  set(TAVRISK_RC_NAME ${target})
  set(TAVRISK_RC_DESCRIPTION "${arg_DESCRIPTION}")
  configure_file(${PROJECT_SOURCE_DIR}/cmake/Tavrisk.rc.in ${PROJECT_BINARY_DIR}/${target}.rc
    @ONLY)
  target_sources(${target} PRIVATE ${def_file} ${PROJECT_BINARY_DIR}/${target}.rc)
endfunction()
