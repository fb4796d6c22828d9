# kblmake's reading, mapping and making of a layout, all but its run and program: for the tool and its fuzz
# target. The including file gives them nlohmann-json's headers.
set(DVQ_KBLMAKE_SOURCES key_mapping.cpp key_presets.cpp key_tables.cpp kle_reader.cpp key_overlaps.cpp layout_making.cpp legend_html.cpp
    map_entries.cpp)
list(TRANSFORM DVQ_KBLMAKE_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
