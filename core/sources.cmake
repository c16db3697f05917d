list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/aspects.cpp
  ${CMAKE_CURRENT_LIST_DIR}/astro_module.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pluto_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/positions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vocabulary.cpp
)
list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/midpoints.cpp
  ${CMAKE_CURRENT_LIST_DIR}/patterns.cpp
)
