# Type libraries from IDL files, compiled by widl with Wine's IDL files for the system imports.
if(NOT WIN32)
  return()
endif()

find_program(PELMORA_WIDL NAMES ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-widl x86_64-w64-mingw32-widl widl REQUIRED)
find_path(PELMORA_WINE_IDL_DIR oaidl.idl PATHS /usr/include/wine/wine/windows REQUIRED NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_path(PELMORA_STDOLE2_DIR stdole2.tlb PATHS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows REQUIRED
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

# Compiles <idl> into <name>.tlb, <name>.h and <name>_i.c in the current binary folder. The header and the
# identifiers become the static library <name>_interfaces, which target links and so may any client of the
# interfaces (tests, tools). The .tlb is meant for an .rc line `1 TYPELIB "<name>.tlb"`: rc_source is made to
# depend on it, as windres writes no dependency file.
function(pelmora_add_type_library target idl name rc_source)
  set(out ${CMAKE_CURRENT_BINARY_DIR})
  add_custom_command(
    OUTPUT ${out}/${name}.tlb ${out}/${name}.h ${out}/${name}_i.c
    COMMAND ${PELMORA_WIDL} --win64 -I${PELMORA_WINE_IDL_DIR} -L${PELMORA_STDOLE2_DIR}
            -t -T ${out}/${name}.tlb -h -H ${out}/${name}.h -u -U ${out}/${name}_i.c
            ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${idl}
    COMMENT "Compiling the type library ${name}"
    VERBATIM)
  # Listing the header as a source makes every target that links the library wait for it.
  add_library(${name}_interfaces STATIC ${out}/${name}_i.c ${out}/${name}.h)
  target_include_directories(${name}_interfaces PUBLIC ${out})
  target_link_libraries(${name}_interfaces PRIVATE pelmora_build_settings)
  target_link_libraries(${target} PRIVATE ${name}_interfaces)
  set_property(SOURCE ${rc_source} APPEND PROPERTY OBJECT_DEPENDS ${out}/${name}.tlb)
endfunction()
