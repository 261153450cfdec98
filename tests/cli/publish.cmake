tarvomen_add_test(cli_publish_generate_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/publish_generate_test.cpp
  LIBS tarvomen_cli_commands)
