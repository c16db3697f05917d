orvane_test(test_cli
  SOURCES cli/test_cli_golden.cpp
  LIBS orvane_cli_lib)
target_compile_definitions(test_cli PRIVATE ORVANE_CLI_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden")
# Output that cannot be written (a full device) ends the companion with exit 1, not 0.
add_test(NAME cli_output_to_full_device
  COMMAND sh -c "\"$0\" positions --jd 2451545 > /dev/full 2> /dev/null; test $? -eq 1" $<TARGET_FILE:orvane-cli>)
