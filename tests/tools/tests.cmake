orvane_test(test_run
  SOURCES tools/test_run_model.cpp
  LIBS orvane_app)
# Durations window: sorting, list lines, duration texts, natal listing, number words.
orvane_test(test_durations
  SOURCES tools/test_durations.cpp
  LIBS orvane_app)
# Saved state files: the lines, round trips, short, malformed and unwritable files.
orvane_test(test_state_file
  SOURCES tools/test_state_file.cpp
  LIBS orvane_app)
# The text viewer's cut rule, the chart image's file names and caption lines.
orvane_test(test_view_export_rules
  SOURCES tools/test_view_export_rules.cpp
  LIBS orvane_app)
