# Runs layoutgen into a scratch folder and compares what it writes (the demo layout and its picture, the
# program icon), byte for byte, with the files committed in keyboards/ and resources/: a generator change that
# was not followed by regenerating the shipped files fails here, naming each file that differs. The layouts
# kblmake makes are compared by layoutgen's test.
#   cmake -DLAYOUTGEN=<layoutgen> -DSOURCE=<repository> -DSCRATCH=<folder> -P compare_shipped.cmake
cmake_minimum_required(VERSION 3.20)

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/keyboards ${SCRATCH}/resources)

foreach(run "${SCRATCH}/keyboards" "--icon;${SCRATCH}/resources/dorvelquinta.ico")
    execute_process(COMMAND ${LAYOUTGEN} ${run} RESULT_VARIABLE status OUTPUT_QUIET)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "layoutgen ${run} failed: ${status}")
    endif()
endforeach()

file(GLOB generated RELATIVE ${SCRATCH} ${SCRATCH}/keyboards/* ${SCRATCH}/resources/*)
set(problems)
if(NOT generated)
    list(APPEND problems "layoutgen wrote nothing")
endif()
foreach(name IN LISTS generated)
    if(NOT EXISTS ${SOURCE}/${name})
        list(APPEND problems "${name}: written by layoutgen, but missing from the source tree")
        continue()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${name} ${SOURCE}/${name}
                    RESULT_VARIABLE differs)
    if(NOT differs EQUAL 0)
        list(APPEND problems "${name}: differs from what layoutgen writes")
    endif()
endforeach()

if(problems)
    list(JOIN problems "\n" text)
    message(FATAL_ERROR "${text}")
endif()
list(LENGTH generated count)
message(STATUS "${count} files as layoutgen writes them")
