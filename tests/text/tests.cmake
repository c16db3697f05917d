orvane_test(test_text
  SOURCES text/test_language.cpp text/test_program_text_coverage.cpp
  LIBS orvane_core)
