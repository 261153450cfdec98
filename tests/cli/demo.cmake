tarvomen_add_test(cli_demo_shop_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/demo_shop_test.cpp
  LIBS tarvomen_cli_commands)
