# WORDMILL_SANITIZE: the library, the program, the suites and every helper
# program they start are built with AddressSanitizer and
# UndefinedBehaviorSanitizer, and any finding ends the program with an error.
# Qt and the system libraries are not instrumented; the few reports that come
# from inside them are suppressed in lsan-suppressions.txt, which every
# executable of the tree reads by default (sanitizer_defaults.cpp.in).

if(WORDMILL_BUILD_FUZZ)
    message(FATAL_ERROR "WORDMILL_SANITIZE and WORDMILL_BUILD_FUZZ are separate builds")
endif()

set(WORDMILL_SANITIZE_COMPILE_FLAGS
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
set(WORDMILL_SANITIZE_LINK_FLAGS -fsanitize=address,undefined)
set(WORDMILL_LSAN_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/lsan-suppressions.txt)
add_compile_options(${WORDMILL_SANITIZE_COMPILE_FLAGS})
add_link_options(${WORDMILL_SANITIZE_LINK_FLAGS})

configure_file(${CMAKE_CURRENT_LIST_DIR}/sanitizer_defaults.cpp.in
    ${CMAKE_BINARY_DIR}/sanitizer_defaults.cpp @ONLY)

# Gives every executable target defined so far under dir (and its
# subdirectories) the sanitizer defaults.
function(wordmill_sanitizer_defaults dir)
    get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "EXECUTABLE")
            target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/sanitizer_defaults.cpp)
        endif()
    endforeach()
    get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
    foreach(subdir IN LISTS subdirs)
        wordmill_sanitizer_defaults(${subdir})
    endforeach()
endfunction()
