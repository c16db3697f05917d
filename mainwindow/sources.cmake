list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/actions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compute.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_rules.cpp
)
