# SPDX-License-Identifier: GPL-2.0-or-later
# Project-wide build settings and the one-line test helper.

if(TALLYHAWK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Our own targets build warning-free with -Wall -Wextra. Warnings become errors only in our
# checks (TALLYHAWK_WERROR, which scripts/test turns on), never in a person's or a packager's
# build, where a newer compiler's new warning must not stop it. Qt's generated code is exempt.
function(tallyhawk_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    # GCC 12 at -O3 takes libstdc++'s `"text" + std::string` for an overlapping copy
    # (-Wrestrict, a false positive that GCC 13 no longer gives); it hits wherever that code
    # inlines, so it is silenced for that compiler only.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(TALLYHAWK_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# What tallyhawk_test() and tallyhawk_benchmark() build alike, from their parsed ARG_ values: the
# program with its libraries, `guiMain` for GUI, and the tests/data reader for DATA.
macro(tallyhawk_check_program name guiMain)
    add_executable(${name} ${ARG_SOURCES})
    tallyhawk_warnings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE ${guiMain})
    endif()
    if(ARG_DATA)
        target_link_libraries(${name} PRIVATE tallyhawk_test_data)
    endif()
endmacro()

# tallyhawk_test(NAME SOURCES file... [LIBRARIES lib...] [GUI] [DATA] [RESOURCE_LOCK lock...]
#                [LAUNCHER command...])
# Builds one GoogleTest executable and registers it with CTest. GUI tests get a test main that
# makes a QApplication and run on Qt's offscreen platform; the others use gtest_main. DATA tests
# read the committed files of tests/data (tests/support/TestData.h). A LAUNCHER command runs the
# test program (dbus-run-session --, for a session bus of its own).
function(tallyhawk_test name)
    cmake_parse_arguments(ARG "GUI;DATA" "" "SOURCES;LIBRARIES;RESOURCE_LOCK;LAUNCHER" ${ARGN})
    tallyhawk_check_program(${name} tallyhawk_qt_test_main)
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gmock)
    if(NOT ARG_GUI)
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    add_test(NAME ${name} COMMAND ${ARG_LAUNCHER} $<TARGET_FILE:${name}>)
    set_tests_properties(${name} PROPERTIES TIMEOUT 300
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    if(ARG_RESOURCE_LOCK)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${ARG_RESOURCE_LOCK}")
    endif()
endfunction()

# tallyhawk_benchmark(NAME SOURCES file... [LIBRARIES lib...] [GUI] [DATA])
# Builds one Google Benchmark program (run by hand, not by CTest). GUI benchmarks get a main that
# makes a QApplication on the offscreen platform; the others write their own (BENCHMARK_MAIN()
# or one with the event loop they need). DATA as above.
function(tallyhawk_benchmark name)
    cmake_parse_arguments(ARG "GUI;DATA" "" "SOURCES;LIBRARIES" ${ARGN})
    tallyhawk_check_program(${name} tallyhawk_qt_bench_main)
    target_link_libraries(${name} PRIVATE benchmark::benchmark)
endfunction()
