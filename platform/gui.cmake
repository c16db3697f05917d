# The platform layer's Qt half: message boxes, and the graphics conversion once it exists.
list(APPEND ORVANE_GUI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/qt_message_boxes.cpp)
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/graphics_conversion.cpp)
  list(APPEND ORVANE_GUI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/graphics_conversion.cpp)
endif()
