# The grid on screen and the chart-font layer.
orvane_gui_test(test_gui_display SOURCES display/test_gui_display.cpp)
