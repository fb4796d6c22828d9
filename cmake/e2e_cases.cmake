# Read by ctest in a Windows tree, which includes it through e2e_cases_tests.cmake (cmake/windows_tests.cmake):
# registers one test per end-to-end case, e2e.<case>, which runs tests/e2e/run.sh for that case alone. ctest
# learns the cases' names from the driver (e2e_driver.exe --list, under Wine) and keeps them beside it until
# the driver is built again. When it cannot learn them, one test, e2e.cases, fails saying why. Each case takes
# one of the Wine slots (cmake/windows_tests.cmake).
set(e2eRun ${e2eSource}/tests/e2e/run.sh)
set(e2eDriver ${e2eBuild}/tests/e2e/e2e_driver.exe)
set(e2eNames ${e2eBuild}/tests/e2e/case_names.txt)

if(NOT EXISTS "${e2eNames}" OR "${e2eDriver}" IS_NEWER_THAN "${e2eNames}")
    file(REMOVE "${e2eNames}")
    execute_process(COMMAND bash "${e2eRun}" "${e2eBuild}" --list
        RESULT_VARIABLE listStatus OUTPUT_VARIABLE listed ERROR_QUIET)
    if(listStatus EQUAL 0)
        string(REPLACE "\r" "" listed "${listed}")
        file(WRITE "${e2eNames}" "${listed}")
    endif()
endif()

if(EXISTS "${e2eNames}")
    file(STRINGS "${e2eNames}" e2eCases)
    foreach(e2eCase IN LISTS e2eCases)
        add_test("e2e.${e2eCase}" bash "${e2eRun}" "${e2eBuild}" "${e2eBuild}/e2e-scratch" "${e2eCase}")
        set_tests_properties("e2e.${e2eCase}" PROPERTIES LABELS e2e RESOURCE_GROUPS wine:1)
    endforeach()
else()
    add_test(e2e.cases bash "${e2eRun}" "${e2eBuild}" --list)
    set_tests_properties(e2e.cases PROPERTIES LABELS e2e)
endif()
