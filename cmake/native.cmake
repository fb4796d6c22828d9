# The native build: the portable core proven without <windows.h>, its unit tests, benchmarks and tools.
# With DVQ_FUZZ (clang only) it builds the fuzz targets, a short run of each as its test, and nothing else.
# With DVQ_SANITIZE the core, the unit tests and the tools with their tests are built under AddressSanitizer
# and UndefinedBehaviorSanitizer, without the benchmarks.
option(DVQ_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
option(DVQ_SANITIZE "Build the core, the unit tests and the tools with -fsanitize=address,undefined" OFF)

enable_testing()
if(DVQ_FUZZ)
    add_subdirectory(tests/fuzz)
    return()
endif()

if(DVQ_SANITIZE)
    # A report from either sanitizer ends the program with a failure, so ctest counts the test failed.
    set(sanitizeOptions -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_compile_options(dvq_core PRIVATE ${sanitizeOptions})
    add_compile_options(${sanitizeOptions})
    add_link_options(-fsanitize=address,undefined)
endif()

add_subdirectory(tests/unit)
add_subdirectory(tools/kblcheck)
add_subdirectory(tools/kblmake)
add_subdirectory(tools/kblreport)
add_subdirectory(tools/kblline)
add_subdirectory(tools/layoutgen)
if(NOT DVQ_SANITIZE)
    add_subdirectory(bench)
endif()
add_subdirectory(tools/hostsim)
add_subdirectory(filter)

# The checks of the sources themselves, made once, in the plain native tree: every include keeps to its floor,
# every C++ file is formatted, and the About box's pictures are the ones tools/about_art.sh draws.
if(NOT DVQ_SANITIZE)
    add_test(NAME floors COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check_floors.sh)
    add_test(NAME format COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check_format.sh)
    add_test(NAME about-pictures COMMAND bash ${PROJECT_SOURCE_DIR}/tools/about_art.sh --check)
endif()

# The tests' own files (*_test.cpp) are compiled with -O1 in the plain tree: they build about a third faster
# than at the release's -O3, while the code they test keeps it. (The sanitizer tree builds everything
# without optimisation.)
if(NOT DVQ_SANITIZE)
    get_property(testedDirectories DIRECTORY PROPERTY SUBDIRECTORIES)
    foreach(directory IN LISTS testedDirectories)
        get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
        foreach(target IN LISTS targets)
            get_target_property(sources ${target} SOURCES)
            list(FILTER sources INCLUDE REGEX "_test\\.cpp$")
            foreach(source IN LISTS sources)
                cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${directory})
                set_source_files_properties(${source} DIRECTORY ${directory} PROPERTIES COMPILE_OPTIONS -O1)
            endforeach()
        endforeach()
    endforeach()
endif()
