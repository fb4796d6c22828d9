# The Windows build: the tester and its Windows tools, linked statically so that they import only system
# DLLs.
set(DVQ_STATIC_LINK -static -static-libgcc -static-libstdc++ -s)

add_library(dvq_tools_common STATIC tools/common/bitmap_file.cpp)
target_include_directories(dvq_tools_common PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

# The resource script's own files, so that a changed picture or icon rebuilds it.
set_source_files_properties(resources/dorvelquinta.rc PROPERTIES OBJECT_DEPENDS
    "${PROJECT_SOURCE_DIR}/resources/dorvelquinta.ico;${PROJECT_SOURCE_DIR}/resources/about_title.bmp;${PROJECT_SOURCE_DIR}/resources/about_logo.bmp;${PROJECT_SOURCE_DIR}/resources/dorvelquinta.manifest")
add_executable(dorvelquinta WIN32 ${DVQ_SHELL_SOURCES} resources/dorvelquinta.rc)
target_link_libraries(dorvelquinta PRIVATE dvq_core)
target_link_libraries(dorvelquinta PRIVATE comdlg32)
target_link_options(dorvelquinta PRIVATE ${DVQ_STATIC_LINK} -mwindows)

add_subdirectory(tools/kblcheck)
add_subdirectory(tests/e2e)
add_subdirectory(tools/hostsim)
add_subdirectory(filter)
