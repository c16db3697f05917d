list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/run_model.cpp
)
# Durations window, report texts and number words.
list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/durations.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_words.cpp
)
# Saved state files.
list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/state_file.cpp
)
# The text viewer's cut rule and the saved chart image's file names and captions.
list(APPEND ORVANE_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/chart_image.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_viewer.cpp
)
