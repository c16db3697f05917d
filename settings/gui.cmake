# The settings windows and the settings store on QSettings.
list(APPEND ORVANE_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/frm_configure.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frm_pop_up.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mouse_down_label.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qsettings_store.cpp
)
