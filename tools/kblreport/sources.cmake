# The yield report's sources, all but its program's main: for the native tool and its fuzz target.
set(DVQ_KBLREPORT_SOURCES layout_pictures.cpp record_reading.cpp report_charts.cpp report_figures.cpp
    report_page.cpp report_run.cpp report_text.cpp)
list(TRANSFORM DVQ_KBLREPORT_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
