# Grid layout, the chart layout, the result texts and the aspect timeline.
orvane_test(test_display
  SOURCES display/test_angle_texts.cpp display/test_chart_layout.cpp display/test_grid_model.cpp display/test_result_texts.cpp
          display/test_timeline.cpp display/test_machine_formats.cpp display/test_calendar_file.cpp
          display/test_orb_windows.cpp display/test_geo_ring.cpp
  LIBS orvane_app)
