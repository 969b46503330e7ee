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
