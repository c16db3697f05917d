# The chart library on real SQLite files: round trips, two writers at once, refused files, search and names.
orvane_test(test_chart_store
  SOURCES charts/test_chart_store.cpp
  LIBS orvane_charts SQLite::SQLite3)
