# The grid on screen and the chart-font layer.
list(APPEND ORVANE_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/chart_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/chart_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_view.cpp
)
