tarvomen_add_gui_test(gui_shell_tests SOURCES ${CMAKE_CURRENT_LIST_DIR}/shell_walk_test.cpp)
tarvomen_add_gui_test(gui_qt_language_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/qt_language_test.cpp)
