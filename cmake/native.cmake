# The native build: the portable core proven without <windows.h>, its unit tests, benchmarks and tools.
# With DVQ_FUZZ (clang only) it builds the fuzz targets and nothing else.
option(DVQ_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

add_library(dvq_tools_common STATIC tools/common/bitmap_file.cpp)
target_include_directories(dvq_tools_common PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

if(DVQ_FUZZ)
    add_subdirectory(tests/fuzz)
    return()
endif()

enable_testing()
add_subdirectory(tests/unit)
add_subdirectory(tools/kblcheck)
add_subdirectory(tools/layoutgen)
add_subdirectory(bench)
add_subdirectory(tools/hostsim)
add_subdirectory(filter)
