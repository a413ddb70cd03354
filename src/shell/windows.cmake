# The about box and the help windows.
target_sources(tavelin_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AboutBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpForms.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SvgPicture.cpp
)
