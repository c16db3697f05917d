# The windows of the searches, lists and files, and the image export. Each is listed once it exists.
foreach(view frm_durations frm_run frm_view image_export)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${view}.cpp)
    list(APPEND ORVANE_GUI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/${view}.cpp)
  endif()
endforeach()
