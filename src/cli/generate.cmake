# generate, preview and link: the site generator from the command line.
list(APPEND TARVOMEN_CLI_SOURCES generate_commands.cpp)
list(APPEND TARVOMEN_CLI_LIBS tarvomen_generator tarvomen_publish_handoffs)
