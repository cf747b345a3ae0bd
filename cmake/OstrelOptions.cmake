# Build options shared by every target of the project. They are applied
# privately, per target, so that a host linking libostrel does not inherit
# our warning or sanitizer flags.

function(ostrel_target_options target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow
                                                 -Wnon-virtual-dtor
                                                 -Wcast-align -Woverloaded-virtual
                                                 -Wconversion)
        if(OSTREL_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
        if(OSTREL_SANITIZE)
            list(JOIN OSTREL_SANITIZE "," sanitizers)
            target_compile_options(${target} PRIVATE -fsanitize=${sanitizers}
                                                     -fno-omit-frame-pointer
                                                     -fno-sanitize-recover=all)
            target_link_options(${target} PRIVATE -fsanitize=${sanitizers})
        endif()
    elseif(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8)
        if(OSTREL_WERROR)
            target_compile_options(${target} PRIVATE /WX)
        endif()
    endif()
endfunction()

# Fails the build when a file under one of the given folders includes a Qt
# header: host, core and model code must stay usable without the toolkit.
function(ostrel_require_qt_free target)
    set(dirs ${ARGN})
    add_custom_target(${target}_qt_free
        COMMAND ${CMAKE_COMMAND} -DDIRS="${dirs}" -P
                "${PROJECT_SOURCE_DIR}/cmake/CheckQtFree.cmake"
        COMMENT "Checking that ${target} includes no Qt header"
        VERBATIM)
    add_dependencies(${target} ${target}_qt_free)
endfunction()

# Code that goes into libostrel.so: everything is hidden unless its
# declaration says OSTREL_EXPORT (ostrel_export.h), so the library exports its
# API and none of its internals. The object files are compiled as part of the
# library whichever target builds them, hence ostrel_EXPORTS on each.
function(ostrel_library_code target)
    set_target_properties(${target} PROPERTIES
        CXX_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON)
    target_compile_definitions(${target} PRIVATE ostrel_EXPORTS)
endfunction()
