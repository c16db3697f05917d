# The chart exchange formats: AAF and CSV records read and written, damaged records, encodings.
orvane_test(test_chart_exchange
  SOURCES charts/test_aaf.cpp charts/test_chart_csv.cpp
  LIBS orvane_charts)
