# export and import: the shop in and out as JSON and CSV.
list(APPEND TARVOMEN_CLI_SOURCES exchange_commands.cpp)
list(APPEND TARVOMEN_CLI_LIBS tarvomen_exchange)
