# SPDX-License-Identifier: MIT
# Tavrisk.dll: the Windows form of the shared library, as hosts load it by name.
#  - Named Tavrisk.dll, without the lib prefix MinGW would give it.
#  - Exports exactly the names of tools/exports.txt, through a module-definition file written
#    from it; the 32-bit functions use __stdcall and are exported under their plain names.
#  - Carries a VERSIONINFO resource with the project's version.
#  - Needs no DLL beside it but the system's: MinGW's runtime (libgcc, libstdc++, winpthread)
#    is linked into it.
set_target_properties(Tavrisk PROPERTIES PREFIX "" OUTPUT_NAME Tavrisk)

set(TAVRISK_DEF_FILE ${PROJECT_BINARY_DIR}/Tavrisk.def)
if(MINGW)
  set(stdcall OFF)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(stdcall ON)
  endif()
  # Written once the objects are compiled: their symbols prove every listed name exists and, on
  # 32 bits, give each name its decoration.
  add_custom_command(OUTPUT ${TAVRISK_DEF_FILE}
    COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} "-DOBJECTS=$<TARGET_OBJECTS:tavrisk_objects>"
            -DEXPORTS=${PROJECT_SOURCE_DIR}/tools/exports.txt -DOUTPUT=${TAVRISK_DEF_FILE}
            -DSTDCALL=${stdcall} -P ${PROJECT_SOURCE_DIR}/cmake/write_def.cmake
    DEPENDS tavrisk_objects $<TARGET_OBJECTS:tavrisk_objects>
            ${PROJECT_SOURCE_DIR}/tools/exports.txt ${PROJECT_SOURCE_DIR}/cmake/write_def.cmake
    VERBATIM)
  if(stdcall)
    # GNU ld exports the plain names but writes them plain into the import library as well,
    # where callers look for the decorated ones; dlltool writes the import library instead.
    target_link_options(Tavrisk PRIVATE -Wl,--kill-at)
    add_custom_command(TARGET Tavrisk POST_BUILD
      COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${TAVRISK_DEF_FILE}
              --dllname Tavrisk.dll --output-lib $<TARGET_LINKER_FILE:Tavrisk>
      VERBATIM)
  endif()
else()
  # The Microsoft linker matches plain names to __stdcall symbols by itself.
  file(STRINGS ${PROJECT_SOURCE_DIR}/tools/exports.txt names)
  list(JOIN names "\n    " names)
  file(GENERATE OUTPUT ${TAVRISK_DEF_FILE} CONTENT "LIBRARY Tavrisk.dll\nEXPORTS\n    ${names}\n")
endif()

configure_file(${PROJECT_SOURCE_DIR}/cmake/Tavrisk.rc.in ${PROJECT_BINARY_DIR}/Tavrisk.rc @ONLY)
target_sources(Tavrisk PRIVATE ${TAVRISK_DEF_FILE} ${PROJECT_BINARY_DIR}/Tavrisk.rc)
