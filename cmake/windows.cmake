# The Windows build: the tester and its Windows tools, linked statically so that they import only system
# DLLs.
set(DVQ_STATIC_LINK -static -static-libgcc -static-libstdc++ -s)

# The resource script's own files, so that a changed picture or icon rebuilds it.
set_source_files_properties(resources/dorvelquinta.rc PROPERTIES OBJECT_DEPENDS
    "${PROJECT_SOURCE_DIR}/resources/dorvelquinta.ico;${PROJECT_SOURCE_DIR}/resources/about_title.bmp;${PROJECT_SOURCE_DIR}/resources/about_logo.bmp")
add_executable(dorvelquinta WIN32 ${DVQ_SHELL_SOURCES} resources/dorvelquinta.rc)
# The settings that ship lie beside the build's tester too, where the end-to-end cases take them from.
configure_file(resources/dorvelquinta.ini ${PROJECT_BINARY_DIR}/dorvelquinta.ini COPYONLY)
target_include_directories(dorvelquinta PRIVATE ${PROJECT_BINARY_DIR}/generated)
# WinHTTP, part of Windows, carries the line link.
target_link_libraries(dorvelquinta PRIVATE dvq_core winhttp)
target_link_options(dorvelquinta PRIVATE ${DVQ_STATIC_LINK} -mwindows)

add_subdirectory(tools/kblcheck)
add_subdirectory(tools/kblmake)
add_subdirectory(tools/kblreport)
add_subdirectory(tests/e2e)
add_subdirectory(tools/hostsim)
add_subdirectory(filter)

# Gives a shipped program its version information and, an exe, its manifest (run as the invoker, common
# controls 6, DPI aware), all from the project's version. With UTF8 the manifest also makes UTF-8 the
# program's ANSI code page (Windows 10 1903 and later).
#   dvq_program_info(<target> <manifest assembly name> <file description> [UTF8])
function(dvq_program_info target assembly description)
    set(programCodePage "")
    if("UTF8" IN_LIST ARGN)
        set(programCodePage
            "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>")
    endif()
    set(programName ${target})
    set(programAssembly ${assembly})
    set(programDescription ${description})
    set(generated ${PROJECT_BINARY_DIR}/generated/${target})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
        set(programFile ${target}.dll)
        set(programFileType VFT_DLL)
        set(manifestResource "")
    else()
        set(programFile ${target}.exe)
        set(programFileType VFT_APP)
        configure_file(${PROJECT_SOURCE_DIR}/resources/program.manifest.in ${generated}.manifest @ONLY)
        set(manifestResource "1 RT_MANIFEST \"${generated}.manifest\"")
        set_source_files_properties(${generated}_info.rc PROPERTIES OBJECT_DEPENDS ${generated}.manifest)
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/resources/program_info.rc.in ${generated}_info.rc @ONLY)
    target_sources(${target} PRIVATE ${generated}_info.rc)
    target_include_directories(${target} PRIVATE ${PROJECT_BINARY_DIR}/generated)
endfunction()

dvq_program_info(dorvelquinta Tester "Dorvelquinta 键盘检测")
dvq_program_info(filter Filter "Dorvelquinta 系统键过滤")
dvq_program_info(hostsim Hostsim "Dorvelquinta 主机模拟")
dvq_program_info(kblcheck Kblcheck "Dorvelquinta 键盘布局检查")
dvq_program_info(kblmake Kblmake "Dorvelquinta 键盘布局制作")
dvq_program_info(kblreport Kblreport "Dorvelquinta 良率报告" UTF8)

# The release: a folder holding all that ships, which runs as it is from wherever it is unpacked, and a zip of
# it. Every Windows build makes both, in release/.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(releasePlatform win32)
else()
    set(releasePlatform win64)
endif()
set(releaseName dorvelquinta-${PROJECT_VERSION}-${releasePlatform})
set(releaseRoot ${PROJECT_BINARY_DIR}/release)
set(releaseDir ${releaseRoot}/${releaseName})
set(releaseZip ${releaseRoot}/${releaseName}.zip)
file(GLOB shippedLayouts CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/keyboards/*.kbl ${PROJECT_SOURCE_DIR}/keyboards/*.bmp)
# The keyboard-layout-editor files kblmake makes the shipped layouts from ship in sources/, as examples the
# guide refers to.
file(GLOB shippedSources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/keyboards/sources/*.json)
# The guides ship as text: docs/<name>.md becomes <name>.txt.
set(releaseTextCommands)
set(releaseTextSources)
foreach(text guide host-link)
    set(source ${PROJECT_SOURCE_DIR}/docs/${text}.md)
    list(APPEND releaseTextSources ${source})
    list(APPEND releaseTextCommands COMMAND ${CMAKE_COMMAND} -DSOURCE=${source}
        -DDESTINATION=${releaseDir}/${text}.txt -P ${PROJECT_SOURCE_DIR}/cmake/windows_text.cmake)
endforeach()
add_custom_command(OUTPUT ${releaseZip}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${releaseDir} ${releaseZip}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${releaseDir}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:dorvelquinta> $<TARGET_FILE:filter> $<TARGET_FILE:hostsim>
        $<TARGET_FILE:kblcheck> $<TARGET_FILE:kblmake> $<TARGET_FILE:kblreport> ${shippedLayouts}
        ${PROJECT_SOURCE_DIR}/resources/dorvelquinta.ini
        ${releaseDir}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${releaseDir}/sources
    COMMAND ${CMAKE_COMMAND} -E copy ${shippedSources} ${releaseDir}/sources
    ${releaseTextCommands}
    COMMAND ${CMAKE_COMMAND} -E chdir ${releaseRoot} ${CMAKE_COMMAND} -E tar cf ${releaseZip} --format=zip
        ${releaseName}
    DEPENDS dorvelquinta filter hostsim kblcheck kblmake kblreport ${shippedLayouts} ${shippedSources}
        ${PROJECT_SOURCE_DIR}/resources/dorvelquinta.ini ${releaseTextSources}
        ${PROJECT_SOURCE_DIR}/cmake/windows_text.cmake
    COMMENT "Packing ${releaseName}.zip"
    VERBATIM)
add_custom_target(release ALL DEPENDS ${releaseZip})

include(cmake/windows_tests.cmake)
