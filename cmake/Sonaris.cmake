# Project-wide helpers for every tree (native, x86_64, i686).

# House warnings on the project's own targets; third-party code keeps its own.
function(sonaris_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wimplicit-fallthrough -Werror)
endfunction()

# A Windows program or DLL that must run on a bare Windows: no MinGW runtime DLLs.
function(sonaris_static_runtime target)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
endfunction()

# Converter-side code uses the wide API throughout.
function(sonaris_unicode target)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE)
endfunction()

# A GoogleTest program. On the Windows tree it runs through Wine (the toolchain's
# emulator); its tests are listed at test time so that building needs no Wine.
function(sonaris_gtest target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LABELS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    sonaris_warnings(${target})
    if(WIN32)
        sonaris_static_runtime(${target})
        sonaris_unicode(${target})
    endif()
    gtest_discover_tests(${target}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 300)
endfunction()

# Besides running under Wine, the i686 tree proves that each release program was
# linked as a 32-bit Windows image with no MinGW runtime DLL. These checks need
# no Wine, so they run on kernels that cannot execute 32-bit code too.
function(sonaris_release_image_test target)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
        add_test(NAME release_image.${target}
            COMMAND ${PROJECT_SOURCE_DIR}/tools/check-release-image $<TARGET_FILE:${target}>)
        set_tests_properties(release_image.${target} PROPERTIES LABELS release_image)
    endif()
endfunction()

# Draws a program's icon (tools/make-icon.py) into the build tree, where its .rc
# file finds it as <variant>.ico.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
function(sonaris_icon target variant)
    set(icon ${CMAKE_CURRENT_BINARY_DIR}/${variant}.ico)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make-icon.py ${variant} ${icon}
        DEPENDS ${PROJECT_SOURCE_DIR}/tools/make-icon.py
        COMMENT "Drawing the ${variant} icon")
    target_sources(${target} PRIVATE ${icon})
    target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
