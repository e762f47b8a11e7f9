# The program's wiring; WinMain and the resources are the exe's own (CMakeLists.txt here).
list(APPEND VANTREL_WIN32_SOURCES
  ${VANTREL_SOURCE_DIR_HERE}/program.cpp
)
