# Window tests: each window built as the program's main() builds it, its controls found by name.
foreach(name main faults display chart settings durations run view_export timeline moment)
  orvane_gui_test(test_gui_${name} SOURCES gui/test_gui_${name}.cpp)
endforeach()
