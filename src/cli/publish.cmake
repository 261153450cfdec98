# publish: uploads the generated site to the stored FTP host.
list(APPEND TARVOMEN_CLI_TRANSPORT_SOURCES publish_command.cpp)
list(APPEND TARVOMEN_CLI_TRANSPORT_LIBS tarvomen_upload tarvomen_shell)
