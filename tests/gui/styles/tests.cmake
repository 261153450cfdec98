tarvomen_add_gui_test(gui_styles_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/styles_walk_test.cpp)
tarvomen_add_gui_test(gui_style_access_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/style_access_test.cpp)
