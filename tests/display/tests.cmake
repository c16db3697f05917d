# Grid layout, the aspect timeline, and the beginning and end of transit aspects with their duration records.
orvane_test(test_display
  SOURCES display/test_aspect_span.cpp display/test_chart_layout.cpp display/test_grid_model.cpp display/test_result_texts.cpp
          display/test_timeline.cpp display/test_machine_formats.cpp
  LIBS orvane_app)
