# Window tests: each window built as the program's main() builds it, its controls found by name.
foreach(name main faults display chart settings durations run view_export timeline output moment zone charts geocentric)
  orvane_gui_test(test_gui_${name} SOURCES gui/test_gui_${name}.cpp)
endforeach()
# orvane --render as a whole process: its files read back by librsvg and poppler, its refusals.
orvane_gui_test(test_gui_render SOURCES gui/test_gui_render.cpp)
target_link_libraries(test_gui_render PRIVATE Qt6::Svg)
target_compile_definitions(test_gui_render PRIVATE ORVANE_PROGRAM="$<TARGET_FILE:orvane>")
add_dependencies(test_gui_render orvane)
target_link_libraries(test_gui_output PRIVATE Qt6::Svg)
# The window's chart against orvane --render of the same birth.
target_compile_definitions(test_gui_output PRIVATE ORVANE_PROGRAM="$<TARGET_FILE:orvane>")
add_dependencies(test_gui_output orvane)
