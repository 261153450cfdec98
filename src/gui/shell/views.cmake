# The start window, the FTP dialog and the message boxes of the desktop program.
list(APPEND TARVOMEN_GUI_SOURCES
  shell/form_start_view.cpp
  shell/frm_login_view.cpp
  shell/logo.cpp
  shell/qt_language.cpp
  shell/qt_message_box.cpp
  shell/register_shell_windows.cpp
)
# The program (main.cpp) hands previews over through the preview server.
list(APPEND TARVOMEN_GUI_LIBS tarvomen_shell tarvomen_publish_handoffs tarvomen_preview_server)
list(APPEND TARVOMEN_GUI_REGISTRATIONS registerShellWindows)
