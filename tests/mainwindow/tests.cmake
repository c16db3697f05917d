orvane_test(test_mainwindow
  SOURCES mainwindow/test_main_model.cpp mainwindow/test_compute.cpp mainwindow/test_actions.cpp mainwindow/test_window_rules.cpp
  LIBS orvane_core)
