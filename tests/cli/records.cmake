tarvomen_add_test(cli_record_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/record_commands_test.cpp
  LIBS tarvomen_cli_commands)
