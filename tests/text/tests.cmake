orvane_test(test_text
  SOURCES text/test_language.cpp text/test_program_text_coverage.cpp
  LIBS orvane_text)
# The extension of a file name, the user manual's file and its failure messages.
orvane_test(test_weblink
  SOURCES text/test_weblink.cpp
  LIBS orvane_text)
