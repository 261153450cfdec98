tarvomen_add_gui_test(gui_editors_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/editors_walk_test.cpp)
