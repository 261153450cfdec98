# The style picker and the theme and mix media pickers.
list(APPEND TARVOMEN_GUI_SOURCES
  styles/form1_view.cpp
  styles/media_picker_view.cpp
  styles/register_style_windows.cpp
  styles/style_widgets.cpp
)
list(APPEND TARVOMEN_GUI_LIBS tarvomen_styles)
list(APPEND TARVOMEN_GUI_REGISTRATIONS registerStyleWindows)
