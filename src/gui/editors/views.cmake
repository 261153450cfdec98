# The three record editors (one view over the shared editor model), the Qt clipboard and the
# Qt file-open dialog.
list(APPEND TARVOMEN_GUI_SOURCES
  editors/editor_view.cpp
  editors/qt_services.cpp
  editors/register_editor_windows.cpp
)
list(APPEND TARVOMEN_GUI_LIBS tarvomen_editors)
list(APPEND TARVOMEN_GUI_REGISTRATIONS registerEditorWindows)
