# The source lists of both builds. Core files are portable and never include <windows.h>; shell files end
# in _win.cpp; native platform files end in _posix.cpp.
set(DVQ_CORE_SOURCES
    app/command_line.cpp
    app/program.cpp
    app/text_format.cpp
    app/window_geometry.cpp
    engine/compound_keys.cpp
    engine/key_events.cpp
    engine/readouts.cpp
    engine/test_state.cpp
    layouts/key_definitions.cpp
    layouts/key_names.cpp
    layouts/layout_catalogue.cpp
    layouts/layout_reader.cpp
    records/host_link.cpp
    records/log_file.cpp
    records/test_log.cpp
)

set(DVQ_SHELL_SOURCES
    app/about_box_win.cpp
    app/files_win.cpp
    app/help_win.cpp
    app/main_window_win.cpp
    app/message_box_win.cpp
    app/shell_services_win.cpp
    app/startup_win.cpp
    app/system_keys_win.cpp
    app/window_layout_win.cpp
    engine/led_test_win.cpp
    engine/verdict_win.cpp
    layouts/keyboard_picture_win.cpp
    layouts/layout_switch_win.cpp
    records/host_link_win.cpp
    records/identification_win.cpp
    records/log_browse_win.cpp
)

set(DVQ_POSIX_SOURCES
    app/files_posix.cpp
)
