orvane_test(test_datetime
  SOURCES datetime/test_datepr2.cpp
  LIBS orvane_core)
