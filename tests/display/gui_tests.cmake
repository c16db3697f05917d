# The grid and the chart on screen; each test is listed once it exists.
orvane_gui_test(test_gui_display SOURCES display/test_gui_display.cpp)
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/test_gui_chart.cpp)
  orvane_gui_test(test_gui_chart SOURCES display/test_gui_chart.cpp)
endif()
