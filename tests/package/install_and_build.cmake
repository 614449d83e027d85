# Installs the library from a build tree into a fresh prefix, then builds an
# example application against the installed package with find_package and
# runs it. Every header of the library has to be installed, and the program
# has to print what EXPECT matches.
#
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=<library folder> -DEXAMPLE_DIR=...
#         -DWORK_DIR=... -DGENERATOR=... -DCXX_COMPILER=... [-DCXX_LAUNCHER=...]
#         [-DBUILD_TYPE=...] [-DCXX_FLAGS=...] [-DLINKER_FLAGS=...]
#         [-DRUN_ENVIRONMENT=NAME=value]
#         -DPROGRAM=<target name> -DEXPECT=<regular expression> -P install_and_build.cmake

foreach(required BUILD_DIR SOURCE_DIR EXAMPLE_DIR WORK_DIR GENERATOR CXX_COMPILER PROGRAM EXPECT)
    if(NOT DEFINED ${required})
        message(FATAL_ERROR "install_and_build: ${required} is not set")
    endif()
endforeach()

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "install_and_build: '${command}' failed (${result}):\n${output}")
    endif()
    set(output "${output}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK_DIR}/prefix)
set(build ${WORK_DIR}/build)
file(REMOVE_RECURSE ${prefix} ${build})

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# Every header of the library is installed under include/wordmill/, and
# nothing else sits beside that folder: no bare include roots.
file(GLOB_RECURSE source_headers RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h)
file(GLOB_RECURSE installed_headers RELATIVE ${prefix}/include/wordmill ${prefix}/include/wordmill/*.h)
list(SORT source_headers)
list(SORT installed_headers)
if(NOT source_headers STREQUAL installed_headers)
    set(missing ${source_headers})
    list(REMOVE_ITEM missing ${installed_headers})
    set(extra ${installed_headers})
    list(REMOVE_ITEM extra ${source_headers})
    message(FATAL_ERROR "install_and_build: installed headers differ from the library's.\n"
                        "  not installed: ${missing}\n  unexpected: ${extra}")
endif()
file(GLOB include_entries RELATIVE ${prefix}/include ${prefix}/include/*)
if(NOT include_entries STREQUAL "wordmill")
    message(FATAL_ERROR "install_and_build: include/ holds ${include_entries}, not only wordmill/")
endif()

set(configure ${CMAKE_COMMAND} -S ${EXAMPLE_DIR} -B ${build} -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    "-DCMAKE_CXX_FLAGS=${CXX_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${LINKER_FLAGS}")
if(BUILD_TYPE)
    list(APPEND configure -DCMAKE_BUILD_TYPE=${BUILD_TYPE})
endif()
if(CXX_LAUNCHER)
    list(APPEND configure -DCMAKE_CXX_COMPILER_LAUNCHER=${CXX_LAUNCHER})
endif()
run(${configure})
run(${CMAKE_COMMAND} --build ${build})

set(ENV{QT_QPA_PLATFORM} offscreen)
if(RUN_ENVIRONMENT MATCHES "^([^=]+)=(.*)$")
    set(ENV{${CMAKE_MATCH_1}} "${CMAKE_MATCH_2}")
endif()
run(${build}/${PROGRAM} --print)
if(NOT output MATCHES "${EXPECT}")
    message(FATAL_ERROR "install_and_build: ${PROGRAM} printed\n${output}\nexpected: ${EXPECT}")
endif()
message(STATUS "install_and_build: ${PROGRAM} built against ${prefix} and printed\n${output}")
