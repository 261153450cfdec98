tarvomen_add_gui_test(gui_styles_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/styles_walk_test.cpp)
