orvane_test(test_platform
  SOURCES platform/test_calendar.cpp platform/test_ephemeris.cpp platform/test_program_text_library.cpp
          platform/test_saved_file.cpp platform/test_clock.cpp platform/test_moment.cpp
          platform/test_geocentric.cpp platform/test_convention_shift.cpp platform/test_checked_files.cpp
  LIBS orvane_platform swe_ephemeris)
