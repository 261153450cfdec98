tarvomen_add_gui_test(gui_editors_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/editors_walk_test.cpp)
tarvomen_add_gui_test(gui_editor_access_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/editor_access_test.cpp)
