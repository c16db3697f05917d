list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/configure_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/registry_store.cpp
)
