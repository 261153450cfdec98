# The Publish window and the desktop program's site publisher (the FTP dialog's OK opens it).
list(APPEND TARVOMEN_GUI_SOURCES
  publish/gui_site_publisher.cpp
  publish/publish_window.cpp
)
list(APPEND TARVOMEN_GUI_LIBS tarvomen_upload)
