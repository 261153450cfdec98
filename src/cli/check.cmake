# check: the site check from the command line.
list(APPEND TARVOMEN_CLI_SOURCES check_command.cpp)
list(APPEND TARVOMEN_CLI_LIBS tarvomen_check)
