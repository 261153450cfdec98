# serve: the site folder on the loopback preview server.
list(APPEND TARVOMEN_CLI_SOURCES serve_command.cpp)
list(APPEND TARVOMEN_CLI_LIBS tarvomen_preview_server)
