# Core test helpers owned by the simulated welder: the in-process welder
# harness. Included by tests/support/CMakeLists.txt.
target_sources(tavelin_test_support PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SimHarness.cpp
)
