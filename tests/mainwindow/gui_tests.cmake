orvane_gui_test(test_gui_main SOURCES mainwindow/test_gui_main.cpp)
