tarvomen_add_test(publish_handoff_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/handoffs_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/desktop_shell_test.cpp
  LIBS tarvomen_publish_handoffs)
