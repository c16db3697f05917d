# Saved state files: the lines, round trips, short, malformed and unwritable files.
orvane_test(test_state_file
  SOURCES files/test_state_file.cpp
  LIBS orvane_app)
# The text viewer's cut rule, the chart image's file names and caption lines.
orvane_test(test_view_export_rules
  SOURCES files/test_view_export_rules.cpp
  LIBS orvane_app)
