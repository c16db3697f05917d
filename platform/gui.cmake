# The platform layer's Qt half: message boxes.
list(APPEND ORVANE_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/qt_message_boxes.cpp
)
