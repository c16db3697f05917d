orvane_test(test_run
  SOURCES search/test_run_model.cpp
  LIBS orvane_app)
