# Durations window: sorting, list lines, duration texts, natal listing, number words.
orvane_test(test_durations
  SOURCES reports/test_durations.cpp
  LIBS orvane_app)
