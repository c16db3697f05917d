# The main window.
list(APPEND ORVANE_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/frm_main.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_main_run.cpp
)
