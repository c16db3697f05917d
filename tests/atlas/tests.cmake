orvane_test(test_atlas
  SOURCES atlas/test_atlas.cpp
  LIBS orvane_atlas)
