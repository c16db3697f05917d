# Help and the manual link.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/help.cpp)
  list(APPEND ORVANE_GUI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/help.cpp)
endif()
