# The fake platform service and the window fixture (see their headers).
target_sources(tavelin_test_support_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/FakePlatform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowFixture.cpp
)
