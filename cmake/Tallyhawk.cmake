# Project-wide build settings and the one-line test helper.

if(TALLYHAWK_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Warnings as errors for our own targets only (not for Qt's generated code).
function(tallyhawk_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()

# tallyhawk_test(NAME SOURCES file... [LIBRARIES lib...] [GUI] [RESOURCE_LOCK lock...])
# Builds one GoogleTest executable and registers it with CTest. GUI tests get a test main that
# makes a QApplication and run on Qt's offscreen platform; the others use gtest_main.
function(tallyhawk_test name)
    cmake_parse_arguments(ARG "GUI" "" "SOURCES;LIBRARIES;RESOURCE_LOCK" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    tallyhawk_warnings(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock)
    if(ARG_GUI)
        target_link_libraries(${name} PRIVATE tallyhawk_qt_test_main)
    else()
        target_link_libraries(${name} PRIVATE GTest::gtest_main)
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES TIMEOUT 300
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    if(ARG_RESOURCE_LOCK)
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK "${ARG_RESOURCE_LOCK}")
    endif()
endfunction()
