orvane_test(test_settings
  SOURCES settings/test_configure_model.cpp
  LIBS orvane_settings swe_ephemeris)
