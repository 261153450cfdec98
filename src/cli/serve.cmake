# serve: the site folder on the loopback preview server; the --open option of generate,
# preview and link previews through it as well.
list(APPEND TARVOMEN_CLI_TRANSPORT_SOURCES serve_command.cpp browser_preview.cpp)
list(APPEND TARVOMEN_CLI_TRANSPORT_LIBS tarvomen_preview_server tarvomen_publish_handoffs)
