# publish: uploads the generated site to the stored FTP host.
list(APPEND TARVOMEN_CLI_SOURCES publish_command.cpp)
list(APPEND TARVOMEN_CLI_LIBS tarvomen_upload tarvomen_shell)
