orvane_test(test_mainwindow
  SOURCES mainwindow/test_main_model.cpp
  LIBS orvane_core)
