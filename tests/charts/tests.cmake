# The chart library on real SQLite files: round trips, two writers at once, refused files, search and names.
orvane_test(test_chart_store
  SOURCES charts/test_chart_store.cpp
  LIBS orvane_charts SQLite::SQLite3)
# The chart exchange formats: AAF and CSV records read and written, damaged records, encodings.
orvane_test(test_chart_exchange
  SOURCES charts/test_aaf.cpp charts/test_chart_csv.cpp
  LIBS orvane_charts)
