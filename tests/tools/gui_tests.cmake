# Window tests of the searches, lists and files; each is listed once it exists.
foreach(name durations run view_export)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/test_gui_${name}.cpp)
    orvane_gui_test(test_gui_${name} SOURCES tools/test_gui_${name}.cpp)
  endif()
endforeach()
