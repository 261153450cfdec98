tarvomen_add_test(cli_generate_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/generate_commands_test.cpp
  LIBS tarvomen_cli_commands)
