orvane_test(test_app
  SOURCES app/test_main_model.cpp app/test_compute.cpp app/test_actions.cpp app/test_window_rules.cpp
    app/test_moment_dialog.cpp
    app/test_precise_moments.cpp
    app/test_chart_library.cpp
    app/test_geocentric_view.cpp
  LIBS orvane_app)
