// Anchor of the GUI test-support library; its parts are listed in sources.cmake.
