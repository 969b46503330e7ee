# Test registration shared by every test folder.
include(CTest)

# GoogleTest as Debian installs it, or, when cross-building for another
# system, built from Debian's source (package googletest) with the project.
set(VELTRA_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest's source, built with the project when cross-building")
macro(veltra_find_gtest)
    if(NOT CMAKE_CROSSCOMPILING)
        find_package(GTest REQUIRED)
    elseif(NOT TARGET GTest::gtest)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(${VELTRA_GTEST_SOURCE_DIR} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
        # Its warnings are not the project's to fix.
        foreach(target gtest gtest_main)
            target_compile_options(${target} PRIVATE -Wno-error)
        endforeach()
    endif()
endmacro()

# veltra_add_gtest(<name> SOURCES ... LIBS ... [PROPERTIES ...]): a GoogleTest
# executable whose cases ctest lists one by one, each with the test
# properties given.
function(veltra_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;PROPERTIES" ${ARGN})
    veltra_find_gtest()
    include(GoogleTest)
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    # Under an emulator (Wine) the first start takes seconds.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ${ARG_PROPERTIES})
endfunction()

# veltra_add_qt_test(<name> SOURCES ... LIBS ...): a Qt Test executable run
# without a display.
function(veltra_add_qt_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test Qt6::Widgets)
    # A window's run writes its list beside the program: each test in a
    # folder of its own, so that tests run in parallel never meet there.
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                                             ${CMAKE_CURRENT_BINARY_DIR}/${name}_bin)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
