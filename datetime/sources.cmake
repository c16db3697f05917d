list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/datepr2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/date_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/date_rows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_zones.cpp
)
