# The tests of a Windows tree, run with ctest (ctest --preset win32, or win64). Every tree checks its release's
# contents and programs (label package). The tests that run the build's programs under Wine, the end-to-end
# cases and the hook library's check (label e2e) and the release run from a fresh folder (label package), are
# registered where this machine runs the build at a useful speed: a 64-bit build with Wine's 64-bit loader, a
# 32-bit build only where the kernel runs 32-bit programs natively (scripts/windows_tree.sh); elsewhere
# Wine's 32-bit side runs under an emulator, far too slowly.
enable_testing()

set(packageCheck ${PROJECT_SOURCE_DIR}/scripts/check_package.sh)
foreach(check contents dorvelquinta.exe filter.dll hostsim.exe kblcheck.exe kblmake.exe kblreport.exe)
    add_test(NAME package.${check} COMMAND bash ${packageCheck} ${PROJECT_BINARY_DIR} ${check})
    set_tests_properties(package.${check} PROPERTIES LABELS package)
endforeach()

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    execute_process(COMMAND bash -c "source scripts/windows_tree.sh && native_i386"
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} RESULT_VARIABLE emulated)
    if(emulated)
        # Wine's 32-bit side runs under an emulator here, about a hundred times slower: the tests under Wine run
        # in the 64-bit tree, and a few cases prove the shipped 32-bit build's own code paths (its time
        # functions, its callbacks) on request (label win32, which scripts/test.sh runs with DVQ_TEST_WIN32=1):
        # start-up, a key with its readouts, a production verdict with the log's date line, the host block's
        # first bytes, and the release run from a fresh folder; about 14 minutes. The file dialog does not open
        # within minutes under the emulator: its 32-bit structure is proved where 32-bit programs run natively,
        # by every case there.
        message(STATUS "No 32-bit program runs natively here: the tests under Wine run in the 64-bit tree")
        foreach(case main-window-after-start keys-readouts production-fail-keys-and-kill
                plugin-ready-block-counts-and-run-flag-zero)
            add_test(NAME win32.${case} COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/run.sh ${PROJECT_BINARY_DIR}
                ${PROJECT_BINARY_DIR}/e2e-scratch ${case})
            set_tests_properties(win32.${case} PROPERTIES LABELS win32 RESOURCE_LOCK wine TIMEOUT 3600
                ENVIRONMENT DVQ_E2E_PATIENCE=20)
        endforeach()
        foreach(check unpacked-kblcheck unpacked-kblreport unpacked-tester)
            add_test(NAME win32.package.${check} COMMAND bash ${packageCheck} ${PROJECT_BINARY_DIR} ${check})
            set_tests_properties(win32.package.${check} PROPERTIES LABELS win32 RESOURCE_LOCK wine TIMEOUT 3600)
        endforeach()
        return()
    endif()
endif()

# Each test under Wine takes one of two Wine slots, the resource "wine" of tests/e2e/wine_slots.json, which
# the Windows test presets give ctest with two jobs: two tests run at a time, each with its slot's own Wine
# prefix and an Xvfb of its own (tests/e2e/run_under_wine.sh). Run without the presets' file, ctest ignores
# the slots: then run these tests one at a time (no -j).
foreach(check unpacked-kblcheck unpacked-kblreport unpacked-tester)
    add_test(NAME package.${check} COMMAND bash ${packageCheck} ${PROJECT_BINARY_DIR} ${check})
    set_tests_properties(package.${check} PROPERTIES LABELS package RESOURCE_GROUPS wine:1)
endforeach()

add_test(NAME e2e.filter_check COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/run_under_wine.sh
    ${PROJECT_BINARY_DIR} $<TARGET_FILE:filter_check>)
set_tests_properties(e2e.filter_check PROPERTIES LABELS e2e RESOURCE_GROUPS wine:1)

# One test per end-to-end case, which ctest learns from the driver itself (cmake/e2e_cases.cmake).
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/e2e_cases_tests.cmake @ONLY CONTENT [[
set(e2eSource "@PROJECT_SOURCE_DIR@")
set(e2eBuild "@PROJECT_BINARY_DIR@")
include("@PROJECT_SOURCE_DIR@/cmake/e2e_cases.cmake")
]])
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${PROJECT_BINARY_DIR}/e2e_cases_tests.cmake)
