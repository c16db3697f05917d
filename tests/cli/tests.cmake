orvane_test(test_cli
  SOURCES cli/test_cli.cpp
  LIBS orvane_cli_lib)
