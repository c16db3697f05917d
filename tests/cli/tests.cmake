orvane_test(test_cli
  SOURCES cli/test_cli.cpp cli/test_cli_report_find.cpp
  LIBS orvane_cli_lib)
