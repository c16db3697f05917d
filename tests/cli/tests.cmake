orvane_test(test_cli
  SOURCES cli/test_cli_golden.cpp
  LIBS orvane_cli_lib)
target_compile_definitions(test_cli PRIVATE ORVANE_CLI_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden")
