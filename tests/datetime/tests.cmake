orvane_test(test_datetime
  SOURCES datetime/test_datepr2.cpp
  LIBS orvane_datetime)
target_sources(test_datetime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/test_date_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_stepping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_time_zones.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_zoned_moments.cpp)
