orvane_test(test_core
  SOURCES core/test_vocabulary.cpp core/test_pluto_table.cpp core/test_positions.cpp core/test_aspects.cpp core/test_events.cpp
          core/test_aspect_span.cpp core/test_body_events.cpp core/test_cycles.cpp core/test_geo_events.cpp
          core/test_geo_cycles.cpp core/test_geo_angles.cpp
  LIBS orvane_app swe_ephemeris)
orvane_test(test_patterns
  SOURCES core/test_patterns.cpp core/test_midpoints.cpp core/test_pattern_lifetimes.cpp
          core/test_geo_pattern_lifetimes.cpp
  LIBS orvane_app)
