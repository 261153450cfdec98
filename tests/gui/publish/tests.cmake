tarvomen_add_gui_test(gui_publish_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/publish_window_test.cpp
  LIBS tarvomen_upload_testsupport)
