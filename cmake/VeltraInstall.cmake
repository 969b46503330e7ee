# veltra_install_gzipped(<file> DESTINATION <folder>): compresses a file (a
# manual page, the package's changelog) at build time, reproducibly (no name
# or time stamp in the archive), and installs <file>.gz.
function(veltra_install_gzipped source)
    cmake_parse_arguments(ARG "" "DESTINATION" "" ${ARGN})
    get_filename_component(source ${source} ABSOLUTE)
    get_filename_component(name ${source} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/gzipped/${name})
    add_custom_command(
        OUTPUT ${copy}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
        COMMAND gzip -9 -n -f ${copy}
        DEPENDS ${source}
        VERBATIM)
    add_custom_target(gzip-${name} ALL DEPENDS ${copy}.gz)
    install(FILES ${copy}.gz DESTINATION ${ARG_DESTINATION})
endfunction()

# veltra_windows_manifest(<target>): gives a Windows program the manifest
# both programs share (cmake/windows-program.manifest), as its resource 1.
function(veltra_windows_manifest target)
    if(NOT WIN32)
        return()
    endif()
    set(manifest ${PROJECT_SOURCE_DIR}/cmake/windows-program.manifest)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-manifest.rc)
    # 24 is RT_MANIFEST; 1 the manifest Windows reads when it starts a program.
    file(CONFIGURE OUTPUT ${rc} CONTENT "1 24 \"${manifest}\"\n")
    target_sources(${target} PRIVATE ${rc})
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${manifest})
endfunction()
