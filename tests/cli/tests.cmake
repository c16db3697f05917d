orvane_test(test_cli
  SOURCES cli/test_cli_golden.cpp cli/test_aspect_table.cpp cli/test_cli_state.cpp cli/test_cli_messages.cpp
          cli/test_cli_charts.cpp
  LIBS orvane_cli_lib)
target_compile_definitions(test_cli PRIVATE ORVANE_CLI_GOLDEN_DIR="${CMAKE_CURRENT_LIST_DIR}/golden")
# Output that cannot be written (a full device) ends the companion with exit 1 and says so, not 0; the
# help and the version as well.
add_test(NAME cli_output_to_full_device
  COMMAND sh -c "for a in 'positions --jd 2451545' --help --version; do m=$(\"$0\" $a 2>&1 > /dev/full); test $? -eq 1 && test \"$m\" = 'The output could not be written.' || exit 1; done" $<TARGET_FILE:orvane-cli>)
# Missing Swiss Ephemeris files: the analytic ephemeris, announced once.
add_test(NAME cli_without_ephemeris_files
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/ephemeris_fallback.sh $<TARGET_FILE:orvane-cli>)
set_tests_properties(cli_without_ephemeris_files PROPERTIES SKIP_RETURN_CODE 77)
# The iCalendar file read back by an independent parser, Debian's python3-icalendar, which installs into the
# system's Python (a python3 found earlier on the PATH may not have it); skipped where it is missing.
find_program(ORVANE_SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
add_test(NAME cli_calendar_parsed
  COMMAND ${ORVANE_SYSTEM_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/calendar_parsed.py $<TARGET_FILE:orvane-cli>)
set_tests_properties(cli_calendar_parsed PROPERTIES SKIP_RETURN_CODE 77 LABELS cli)
# A command in Universal Time opens no zone file (traced with strace; skipped where it cannot trace).
add_test(NAME cli_ut_reads_no_zone_file
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/zone_files_untouched.sh $<TARGET_FILE:orvane-cli> ${CMAKE_SOURCE_DIR}/data/samples)
set_tests_properties(cli_ut_reads_no_zone_file PROPERTIES SKIP_RETURN_CODE 77 LABELS cli)
# A Pluto table checked at one start is mapped, not read again, at the next (traced with strace).
add_test(NAME cli_checked_pluto_table_not_read_again
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/pluto_table_stamped.sh $<TARGET_FILE:orvane-cli>)
set_tests_properties(cli_checked_pluto_table_not_read_again PROPERTIES SKIP_RETURN_CODE 77 LABELS cli)
