# tarvomen-cli and tarvomen-cli-net as processes.
tarvomen_add_test(cli_transport_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/transport_program_test.cpp
  LIBS tarvomen_store)
target_compile_definitions(cli_transport_tests PRIVATE
  TARVOMEN_CLI="$<TARGET_FILE:tarvomen-cli>" TARVOMEN_CLI_NET="$<TARGET_FILE:tarvomen-cli-net>")
add_dependencies(cli_transport_tests tarvomen-cli tarvomen-cli-net)
