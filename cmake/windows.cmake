# The Windows build: the tester and its Windows tools, linked statically so that they import only system
# DLLs.
set(DVQ_STATIC_LINK -static -static-libgcc -static-libstdc++ -s)

add_executable(dorvelquinta WIN32 ${DVQ_SHELL_SOURCES} resources/dorvelquinta.rc)
target_link_libraries(dorvelquinta PRIVATE dvq_core)
target_link_options(dorvelquinta PRIVATE ${DVQ_STATIC_LINK} -mwindows)
