list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/aspect_span.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/stepping.cpp
  ${CMAKE_CURRENT_LIST_DIR}/transit_picture.cpp
)
