# The source lists of both builds, floor by floor: base/ at the bottom; layouts/, engine/ and records/ above
# it; app/ on top. Core files are portable and never include <windows.h>; shell files end in _win.cpp;
# native platform files end in _posix.cpp.
set(DVQ_CORE_SOURCES
    base/disk_file.cpp
    base/forwarded_keys.cpp
    base/paths.cpp
    base/program.cpp
    base/text_format.cpp
    base/window_geometry.cpp
    layouts/key_definitions.cpp
    layouts/key_names.cpp
    layouts/layout_catalogue.cpp
    layouts/layout_reader.cpp
    engine/compound_keys.cpp
    engine/core_state.cpp
    engine/key_events.cpp
    engine/readouts.cpp
    engine/test_state.cpp
    engine/verdict.cpp
    engine/verdict_record.cpp
    records/host_link.cpp
    records/keyboard_record.cpp
    records/log_file.cpp
    records/test_log.cpp
    app/command_line.cpp
    app/settings.cpp
)

set(DVQ_SHELL_SOURCES
    base/system_win.cpp
    base/message_box_win.cpp
    base/shell_services_win.cpp
    layouts/keyboard_picture_win.cpp
    engine/key_overlays_win.cpp
    engine/led_test_win.cpp
    engine/verdict_win.cpp
    records/host_link_win.cpp
    records/identification_win.cpp
    records/key_guard_win.cpp
    records/log_browse_win.cpp
    records/record_file_win.cpp
    app/about_box_win.cpp
    app/bench_panel_win.cpp
    app/help_win.cpp
    app/layout_switch_win.cpp
    app/main_window_win.cpp
    app/startup_win.cpp
    app/system_keys_win.cpp
    app/window_layout_win.cpp
)

set(DVQ_POSIX_SOURCES
    base/gbk_posix.cpp
    base/system_posix.cpp
)
