# The yield report's sources, all but its program's main: for the native tool, the Windows tool and the fuzz
# target.
set(DVQ_KBLREPORT_SOURCES layout_pictures.cpp record_reading.cpp record_rows.cpp report_charts.cpp
    report_figures.cpp report_page.cpp report_run.cpp report_text.cpp)
if(WIN32)
    list(APPEND DVQ_KBLREPORT_SOURCES gbk_text_win.cpp)
else()
    list(APPEND DVQ_KBLREPORT_SOURCES gbk_text_posix.cpp)
endif()
list(TRANSFORM DVQ_KBLREPORT_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
